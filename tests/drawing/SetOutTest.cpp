// The setting-out tables: their steps and ends, the volute wall through every station, none
// where there is no wall, and their sheets inside the frame, numbered after the drawing's.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "drawing/PassageGeometry.h"
#include "drawing/SetOut.h"
#include "drawing/SetOutSheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <variant>

using namespace inlet;

namespace {

Calculation run(const std::string& hk)
{
    BoxTexts boxes;
    boxes.type(Box::Text21, hk);
    return runCalculation(boxes, NumberLocale{".", ","});
}

SetOut tablesOf(const std::string& hk, WidthSet set = WidthSet::Computed)
{
    const Calculation c = run(hk);
    return setOut(c, widthSets(c), set);
}

}  // namespace

TEST(SetOutFigure, PrintsWholeMillimetresAsTheDimensionsAndAnglesToATenth)
{
    struct Row {
        const char* name;
        double value;
        int decimals;
        const char* text;
    };
    const Row rows[] = {
        {"whole", 823.4, 0, "823"},       {"half-away-from-zero", -7.5, 0, "-8"},
        {"angle", 182.449, 1, "182.4"},   {"negative-zero-angle", -0.04, 1, "0.0"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(setOutFigure(row.value, row.decimals), row.text) << row.name;
}

TEST(SetOut, Hk2000TablesEveryFiveDegreesAndEveryHundredMillimetresWithTheArcsEnds)
{
    const Calculation c = run("2000");
    const SetOut out = setOut(c, widthSets(c), WidthSet::Computed);
    ASSERT_EQ(out.tables.size(), 5u);
    const PassageProfile profile = passageProfile(c);
    ASSERT_TRUE(profile.bellMouth);
    // By t: the ends, and the multiples of 5° between them.
    const SetOutTable& bell = out.tables[0];
    ASSERT_GE(bell.rows.size(), 3u);
    EXPECT_NEAR(bell.rows.front()[0], profile.bellMouth->start * 180 / std::numbers::pi, 0.05);
    EXPECT_NEAR(bell.rows.back()[0], profile.bellMouth->end * 180 / std::numbers::pi, 0.05);
    for (std::size_t i = 1; i + 1 < bell.rows.size(); ++i)
        EXPECT_EQ(std::fmod(bell.rows[i][0], 5.0), 0.0) << "row " << i;
    // By z: the ends, then multiples of 100 mm, down to the rim and up to the tangent point.
    const SetOutTable& byZ = out.tables[1];
    ASSERT_GE(byZ.rows.size(), 3u);
    EXPECT_EQ(byZ.rows.back()[2], std::round(c.volute.tp.bp));
    for (std::size_t i = 1; i + 1 < byZ.rows.size(); ++i) {
        if (byZ.rows[i][0] != 270)  // the rim, where z turns
            EXPECT_EQ(std::fmod(byZ.rows[i][2], 100.0), 0.0) << "row " << i;
    }
    // The guide cone from its top (dd0/2) to its foot on the floor at the rim.
    const SetOutTable& cone = out.tables[2];
    EXPECT_EQ(cone.rows.front()[1], std::round(c.in.dd0 / 2));
    EXPECT_EQ(cone.rows.back()[1], std::round(c.profile.x1));
    EXPECT_EQ(cone.rows.back()[2], 0);
    EXPECT_EQ(cone.rows.size(), 19u);  // 180° to 270° every 5°
}

TEST(SetOut, TheVoluteWallPassesThroughEveryStationOfTheWidthsDrawn)
{
    for (const WidthSet set : {WidthSet::Computed, WidthSet::AreaTrue}) {
        const Calculation c = run("2000");
        const WidthSets widths = widthSets(c);
        const SetOut out = setOut(c, widths, set);
        const SetOutTable& wall = out.tables.back();
        ASSERT_EQ(wall.rows.size(), 21u) << widthSetName(set);  // 0 to 90 every 5°, 84 and 87
        for (const std::optional<Station>& s : widths.chosen(set)) {
            ASSERT_TRUE(s);
            bool found = false;
            for (const auto& row : wall.rows) {
                if (row[0] == s->phi) {
                    found = true;
                    EXPECT_EQ(row[1], std::round(c.profile.x1 + s->a)) << s->phi;
                }
            }
            EXPECT_TRUE(found) << widthSetName(set) << " " << s->phi;
        }
    }
}

TEST(SetOut, NoAreaTrueWallWhereNoSectionOfTheAssumedShapeExists)
{
    const SetOut out = tablesOf("1000", WidthSet::AreaTrue);
    EXPECT_TRUE(out.tables.back().rows.empty());
    EXPECT_FALSE(out.tables.back().empty.empty());
}

TEST(SetOutPages, StayInsideTheFrameAndAreNumberedAfterTheDrawing)
{
    const SetOut out = tablesOf("2000");
    for (const PaperSize& paper : paperSizes()) {
        const std::vector<SetOutPage> pages = setOutPages(out, TitleBlock{}, paper);
        ASSERT_FALSE(pages.empty()) << paper.name;
        EXPECT_EQ(drawingSheetCount(out, paper), static_cast<int>(pages.size()) + 1) << paper.name;
        std::size_t figures = 0;
        for (std::size_t n = 0; n < pages.size(); ++n) {
            bool numbered = false;
            for (const Shape& shape : pages[n].shapes) {
                const Extent e = extentOf(shape);
                EXPECT_GE(e.left, 0) << paper.name;
                EXPECT_LE(e.right, paper.width) << paper.name;
                EXPECT_GE(e.bottom, 0) << paper.name;
                EXPECT_LE(e.top, paper.height) << paper.name;
                if (const auto* label = std::get_if<Label>(&shape.geometry)) {
                    const std::string expected =
                        "第 " + std::to_string(n + 2) + " 张 共 " + std::to_string(pages.size() + 1) + " 张";
                    numbered = numbered || label->text == expected;
                    figures += label->text.find_first_not_of("-0123456789.") == std::string::npos;
                }
            }
            EXPECT_TRUE(numbered) << paper.name << " page " << n;
        }
        std::size_t cells = 0;
        for (const SetOutTable& t : out.tables)
            cells += t.rows.size() * t.columns.size();
        EXPECT_EQ(figures, cells) << paper.name << ": every figure once";
    }
}
