// The design checks' lines in one face: every character of every wording, and of the checks a
// run shows, is in the list's own face, so that none (φ, θ, a Chinese character) is drawn in a
// fallback face of another size. Where no face for Chinese is installed, there is nothing to
// check.

#include "checks/CheckWords.h"
#include "ui/DesignCheckList.h"
#include "ui/DesignChecksWindow.h"
#include "tests/ui/DocumentWindow.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>

#include <gtest/gtest.h>

namespace inlet::test {
namespace {

// Characters the list's primary face lacks, as "U+03C6 in …". QFontMetrics::inFontUcs4 asks
// the face Qt picks for each character's script, which for Han is a CJK face even where the
// font's own face is DejaVu Sans: the primary face is QRawFont's.
QStringList missing(const QFont& font, const QString& text)
{
    const QRawFont face = QRawFont::fromFont(font);
    QStringList lacking;
    for (const char32_t ch : text.toUcs4())
        if (!face.supportsCharacter(ch))
            lacking << QStringLiteral("U+%1 in %2").arg(unsigned(ch), 4, 16, QLatin1Char('0')).arg(text);
    return lacking;
}

// Any face for Simplified Chinese: then the list must have one that holds every character.
bool cjkFaceInstalled() { return !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty(); }

TEST(CheckTextFace, HoldsEveryCharacterOfEveryWording)
{
    const DesignCheckList list;
    if (!cjkFaceInstalled())
        GTEST_SKIP() << "no CJK face installed";
    EXPECT_TRUE(missing(list.font(), QStringLiteral("φθ")).isEmpty()) << QFontInfo(list.font()).family().toStdString();
    for (std::size_t i = 0; i < checkWordingCount(); ++i) {
        const std::string_view pattern = checkPattern(static_cast<CheckWording>(i), Language::Chinese);
        const QStringList lacking =
            missing(list.font(), QString::fromUtf8(pattern.data(), qsizetype(pattern.size())));
        EXPECT_TRUE(lacking.isEmpty()) << "wording " << i << ": " << lacking.join(QStringLiteral("; ")).toStdString();
    }
}

class CheckTextShown : public DocumentWindow {};

TEST_F(CheckTextShown, HoldsEveryCharacterOfTheChecksOfARun)
{
    type(Box::Text21, QStringLiteral("2000"));
    press("Command1");
    window->showDesignChecks();
    const auto* list = window->designChecksWindow()->findChild<DesignCheckList*>(QStringLiteral("checks"));
    ASSERT_NE(list, nullptr);
    if (!cjkFaceInstalled())
        GTEST_SKIP() << "no CJK face installed";
    ASSERT_GT(list->count(), 5);
    for (int row = 0; row < list->count(); ++row) {
        const QStringList lacking = missing(list->font(), list->item(row)->text());
        EXPECT_TRUE(lacking.isEmpty()) << lacking.join(QStringLiteral("; ")).toStdString();
    }
}

}  // namespace
}  // namespace inlet::test
