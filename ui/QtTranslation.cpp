#include "ui/QtTranslation.h"

#include "ui/startup/OncePainted.h"
#include "ui/QtTranslationGaps.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace inlet {

namespace {

bool done = false;

}  // namespace

void QtTranslation::install()
{
    if (done)
        return;
    done = true;
    // First, so that Qt's catalogue, installed after it, is asked first.
    QCoreApplication::installTranslator(new QtTranslationGaps(QCoreApplication::instance()));
    // Where Qt keeps them (Debian), else beside the program (the Windows installation).
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && !translator->load(QStringLiteral("qtbase_zh_CN"),
                             QCoreApplication::applicationDirPath() + QStringLiteral("/translations"))) {
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
        runOncePainted(window, [] { QtTranslation::install(); });
}

bool QtTranslation::installed() { return done; }

}  // namespace inlet
