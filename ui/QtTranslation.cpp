#include "QtTranslation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

namespace inlet {

namespace {

bool done = false;

// Installs the translation once the watched window has been painted, then goes.
class InstallOncePainted : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Runs once this round of painting has reached the screen.
            QTimer::singleShot(0, this, [this] {
                QtTranslation::install();
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void QtTranslation::install()
{
    if (done)
        return;
    done = true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    // The windows hear of the new language now, not later: a message box made next would
    // otherwise retranslate its buttons when it hears, undoing the texts it was given.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

void QtTranslation::installOncePainted(QWidget& window)
{
    if (!done)
        window.installEventFilter(new InstallOncePainted(&window));
}

bool QtTranslation::installed() { return done; }

}  // namespace inlet
