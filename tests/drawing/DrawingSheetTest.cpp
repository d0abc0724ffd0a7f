// The drawing sheet: its size chosen as the drawing offices choose it, and title block texts
// longer than their boxes cut with "…".

#include "drawing/DrawingSheet.h"

#include <gtest/gtest.h>

#include <string>

namespace inlet {
namespace {

Drawing drawingOf(double width, double height)
{
    Drawing d;
    d.extent = {0, 0, width, height};
    return d;
}

TEST(DrawingSheet, SizeAndScale)
{
    const struct {
        const char* name;
        double width, height;  // mm of the passage
        const char* paper;     // asked
        const char* size;      // given
        double scale;
    } rows[] = {
        {"the largest scale is A0's; the smallest size holding the views at it", 14000, 11000, "auto", "A0", 20},
        {"a small drawing on A3 at 1:1", 300, 150, "auto", "A3", 1},
        {"a size asked for takes the largest scale that fits it", 14000, 11000, "A2", "A2", 50},
        {"an unknown size is chosen", 14000, 11000, "B4", "A0", 20},
    };
    for (const auto& row : rows) {
        const DrawingSheet sheet = drawingSheet(drawingOf(row.width, row.height), {}, row.paper);
        EXPECT_STREQ(sheet.paper.name, row.size) << row.name;
        EXPECT_EQ(sheet.scale, row.scale) << row.name;
        EXPECT_LE(row.width / sheet.scale, sheet.viewArea.width()) << row.name;
        EXPECT_LE(row.height / sheet.scale, sheet.viewArea.height()) << row.name;
        EXPECT_EQ(sheet.frame.left, 25) << row.name << ": the binding margin";
    }
}

TEST(DrawingSheet, LongTitleBlockTextsAreCut)
{
    EXPECT_EQ(fitText("某泵站", 3.5, 60), "某泵站");
    const std::string cut = fitText("某某某某某某某某某某某某某某某某某某某某泵站进水流道工程", 3.5, 60);
    EXPECT_TRUE(cut.ends_with("…")) << cut;
    EXPECT_LE(cut.size(), std::string("某某某某某某某某某某某某某某某某…").size()) << cut;
    TitleBlock block;
    block.project = std::string(200, 'x');
    bool found = false;
    for (const Shape& s : drawingSheet(drawingOf(1000, 1000), block).shapes) {
        if (const auto* label = std::get_if<Label>(&s.geometry); label && label->text.starts_with("xxx")) {
            found = true;
            EXPECT_TRUE(label->text.ends_with("…"));
            EXPECT_LT(label->text.size(), 200u);
        }
    }
    EXPECT_TRUE(found) << "no project in the title block";
}

}  // namespace
}  // namespace inlet
