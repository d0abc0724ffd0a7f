// Runs the window's tests inside one QApplication, on Qt's offscreen platform unless
// QT_QPA_PLATFORM names another, so that neither the tests nor their discovery need a display.
// The settings (the recent design files) go to a folder of their own that is removed at the
// end, never to the user's.

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Given a display, the offscreen platform offers OpenGL through it that it cannot draw
    // with, and Qt crashes flushing the 3D view; the tests run as they do without one.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qunsetenv("DISPLAY");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QTemporaryDir settings;
    if (!settings.isValid()) {
        std::fprintf(stderr, "cannot make a folder for the tests' settings: %s\n",
                     qPrintable(settings.errorString()));
        return 1;
    }
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settings.path());
    return RUN_ALL_TESTS();
}
