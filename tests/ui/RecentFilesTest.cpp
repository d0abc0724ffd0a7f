// The recent design files: most recent first, each once, eight at most, kept in the settings.

#include "ui/RecentFiles.h"

#include <QDir>

#include <gtest/gtest.h>

namespace inlet::test {
namespace {

QStringList files(const char* names)
{
    QStringList list;
    for (const QString& name : QString::fromUtf8(names).split(u' ', Qt::SkipEmptyParts))
        list << QDir::current().absoluteFilePath(name);
    return list;
}

TEST(RecentFiles, PutTheFileFirstOnceAndKeepEight)
{
    const struct {
        const char* list;
        QString added;
        const char* expected;
    } rows[] = {
        {"", QStringLiteral("a"), "a"},
        {"a b", QStringLiteral("c"), "c a b"},
        {"a b c", QStringLiteral("c"), "c a b"},
        {"a b", QStringLiteral("./x/../b"), "b a"},
        {"1 2 3 4 5 6 7 8", QStringLiteral("9"), "9 1 2 3 4 5 6 7"},
    };
    for (const auto& [list, added, expected] : rows)
        EXPECT_EQ(RecentFiles::withFirst(files(list), added), files(expected)) << "'" << list << "' + " << added.toStdString();
    EXPECT_EQ(RecentFiles::without(files("a b c"), QStringLiteral("b")), files("a c"));
}

TEST(RecentFiles, AreKeptInTheSettings)
{
    for (const QString& old : RecentFiles::paths())
        RecentFiles::remove(old);
    for (int i = 1; i <= 10; ++i)
        RecentFiles::add(QString::number(i));
    RecentFiles::add(QStringLiteral("4"));
    RecentFiles::remove(QStringLiteral("9"));
    EXPECT_EQ(RecentFiles::paths(), files("4 10 8 7 6 5 3")) << RecentFiles::paths().join(u' ').toStdString();
}

}  // namespace
}  // namespace inlet::test
