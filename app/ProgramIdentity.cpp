#include "app/ProgramIdentity.h"

#include "InletVersion.h"
#include "ui/startup/OncePainted.h"

#include <QApplication>

namespace inlet {

void nameProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("inlet"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
}

QIcon programIcon()
{
    QIcon builtIn;
    for (const int size : {16, 32, 48})
        builtIn.addFile(QStringLiteral(":/icons/inlet-%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QString::fromLatin1(kApplicationId), builtIn);
}

void setProgramIconOncePainted(QWidget& window)
{
    runOncePainted(window, [] { QApplication::setWindowIcon(programIcon()); });
}

}  // namespace inlet
