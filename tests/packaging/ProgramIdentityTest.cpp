// The program's name, desktop entry and icon as desktops see them, on Qt's offscreen platform.

#include "InletVersion.h"
#include "app/ProgramIdentity.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QString kPackaging = QStringLiteral(INLET_PACKAGING_DIR);
const QString kInstalledIcons = QStringLiteral(INLET_INSTALLED_ICONS_DIR);

QString applicationId() { return QString::fromLatin1(inlet::kApplicationId); }

TEST(ProgramIdentity, DesktopsFindTheDesktopEntryTheProgramNames)
{
    inlet::nameProgram();
    QFile entry(kPackaging + QLatin1Char('/') + QGuiApplication::desktopFileName() + QStringLiteral(".desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly)) << entry.fileName().toStdString();
    const QByteArray text = entry.readAll();
    EXPECT_TRUE(text.contains("\nIcon=" + QGuiApplication::desktopFileName().toUtf8() + "\n"));
    // Desktops match an X11 window to the entry by its class, which is the application name.
    EXPECT_TRUE(text.contains("\nStartupWMClass=" + QCoreApplication::applicationName().toUtf8() + "\n"));
    EXPECT_EQ(QCoreApplication::applicationVersion(), QString::fromLatin1(inlet::kVersion));
}

TEST(ProgramIcon, IsBuiltInWhereTheIconThemeHasNone)
{
    QIcon::setThemeSearchPaths({QStringLiteral("/nonexistent")});
    const QIcon icon = inlet::programIcon();
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
    EXPECT_EQ(icon.pixmap(48, 48).size(), QSize(48, 48));
}

TEST(ProgramIcon, ComesFromTheIconThemeWhereInstalled)
{
    // The icons as `cmake --install` lays them out, in a theme index of their own.
    QIcon::setThemeSearchPaths({kInstalledIcons});
    QIcon::setThemeName(QStringLiteral("hicolor"));
    const QIcon icon = inlet::programIcon();
    EXPECT_EQ(icon.name(), applicationId());
    EXPECT_FALSE(icon.pixmap(48, 48).isNull());
}

TEST(ProgramIcon, IsSetOnceTheWindowHasBeenPainted)
{
    QApplication::setWindowIcon(QIcon());
    QWidget window;
    inlet::setProgramIconOncePainted(window);
    window.show();
    EXPECT_TRUE(QApplication::windowIcon().isNull());
    EXPECT_TRUE(QTest::qWaitFor([] { return !QApplication::windowIcon().isNull(); }, 5000));
    EXPECT_TRUE(window.windowIcon().cacheKey() == QApplication::windowIcon().cacheKey());
}

}  // namespace

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
