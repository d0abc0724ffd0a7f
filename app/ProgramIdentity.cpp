#include "ProgramIdentity.h"

#include "InletVersion.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace inlet {

namespace {

// Sets the application's window icon once the watched window has been painted, then goes.
class IconOncePainted : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Runs once this round of painting has reached the screen.
            QTimer::singleShot(0, this, [this] {
                QApplication::setWindowIcon(programIcon());
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

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
    window.installEventFilter(new IconOncePainted(&window));
}

}  // namespace inlet
