// Runs the sheet's tests inside one QGuiApplication, on Qt's offscreen platform unless
// QT_QPA_PLATFORM names another, so that neither the tests nor their discovery need a display.

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
