#include "platform/NumberFormat.h"

#include <QLocale>

namespace inlet {

NumberLocale systemNumberLocale()
{
    const QLocale locale = QLocale::system();
    return NumberLocale{locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

}  // namespace inlet
