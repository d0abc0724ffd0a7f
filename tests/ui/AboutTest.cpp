// 关于 and the packages' licence files name the same libraries and programs, each with its
// licence, from the one table of components.

#include "ui/Components.h"
#include "ui/MainWindow.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace inlet::test {
namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QString fileText(const char* path)
{
    QFile file(QString::fromUtf8(INLET_SOURCE_DIR) + QLatin1Char('/') + QLatin1String(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

TEST(About, NamesEveryLibraryAndProgramOfTheBuildWithItsLicence)
{
    const QString about = MainWindow::aboutText();
    for (const Component& c : components()) {
        SCOPED_TRACE(std::string(c.name));
        const QString row = QStringLiteral("<td>%1</td><td>%2</td>").arg(qs(c.name), qs(c.licence));
        EXPECT_EQ(about.contains(row), c.inThisBuild) << about.toStdString();
    }
    for (const char* always : {"Qt 6", "dxflib"})
        EXPECT_TRUE(about.contains(QLatin1String(always))) << always;
}

TEST(About, DebianCopyrightNamesEveryComponentWithItsLicence)
{
    const QString copyright = fileText("packaging/debian/copyright");
    for (const Component& c : components()) {
        const QString line = QStringLiteral("  %1").arg(qs(c.name));
        const qsizetype at = copyright.indexOf(line);
        ASSERT_GE(at, 0) << c.name << " is not named";
        const QString rest = copyright.mid(at, copyright.indexOf(QLatin1Char('\n'), at) - at);
        EXPECT_TRUE(rest.contains(qs(c.licence))) << rest.toStdString() << " (" << c.licence << ")";
    }
}

TEST(About, WindowsLicencePageNamesEveryComponent)
{
    const QString licences = fileText("packaging/windows/LICENCES.txt.in");
    // Those the Windows build has, with their licences, and the others as not there.
    for (const Component& c : components())
        EXPECT_TRUE(licences.contains(qs(c.name))) << c.name;
}

}  // namespace
}  // namespace inlet::test
