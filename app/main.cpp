#include "app/DesignExport.h"
#include "ui/MainWindow.h"
#include "app/ProgramIdentity.h"
#include "app/ProgramOptions.h"
#include "files/SaveFile.h"
#include "platform/StandardStreams.h"
#include "ui/startup/WindowFonts.h"

#include <QApplication>
#include <QTimer>

#include <iostream>

int main(int argc, char* argv[])
{
    inlet::useBinaryStandardStreams();
    const inlet::ProgramOptions options = inlet::readProgramOptions(argc, argv, std::cout, std::cerr);
    if (options.exitStatus)
        return *options.exitStatus;

    inlet::reportFileSizeLimit();
    inlet::nameProgram();
    if (!options.exportTo.isEmpty()) {
        // No window and no display server: Qt lays out and draws the sheet in memory. Windows
        // has no display server to miss, and its own platform finds the system's fonts, which
        // the offscreen one there does not.
#ifndef Q_OS_WIN
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        // Qt's notes on its set-up (no runtime folder, say) are not the engineer's business;
        // what the export says is its own, in one language.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::cerr << "inlet: " << message.toStdString() << '\n';
        });
        QGuiApplication app(argc, argv);
        return inlet::exportDesign(options.file, options.exportTo, options.exportFormat, options.exportChoices, std::cerr,
                                   options.widthSet);
    }
    inlet::startReadingFontConfiguration();
    QApplication app(argc, argv);
    inlet::MainWindow window;
    inlet::setProgramIconOncePainted(window);
    window.show();
    // A design named on the command line opens in the shown window; one that cannot be read
    // says why and leaves a new design.
    if (!options.file.isEmpty())
        QTimer::singleShot(0, &window, [&window, &options] { window.openFile(options.file); });
    return app.exec();
}
