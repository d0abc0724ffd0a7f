#include "QuickStartStyle.h"

#include <QApplication>
#include <QStyleFactory>

namespace inlet {

QuickStartStyle::QuickStartStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

QIcon QuickStartStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return {};
    return QProxyStyle::standardIcon(icon, option, widget);
}

void QuickStartStyle::install()
{
    if (!qobject_cast<QuickStartStyle*>(QApplication::style()))
        QApplication::setStyle(new QuickStartStyle);
}

}  // namespace inlet
