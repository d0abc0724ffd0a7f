// Where the drawing lands on the screen: fitted into a viewport, zoomed within limits; and
// the scale bar's round lengths.

#include "render/ScaleBar.h"
#include "render/ViewTransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace inlet {

// So that a failing assertion shows the extent it was given.
void PrintTo(const Extent& e, std::ostream* out)
{
    *out << "extent (" << e.left << ", " << e.bottom << ") to (" << e.right << ", " << e.top << ")";
}

namespace test {
namespace {

struct FitCase {
    const char* name;  // the test's name: readable, and the same on every build
    Extent extent;
    QRectF viewport;
    double margin;
};

void PrintTo(const FitCase& c, std::ostream* out)
{
    inlet::PrintTo(c.extent, out);
    *out << " in viewport " << c.viewport.x() << ", " << c.viewport.y() << ", " << c.viewport.width() << " x "
         << c.viewport.height() << " with margin " << c.margin;
}

class Fitting : public testing::TestWithParam<FitCase> {};

// The extent lies inside the viewport less its margin, touching it on two opposite sides, and
// centred in the other direction; y turns downwards.
TEST_P(Fitting, PutsTheWholeExtentInsideTheMarginAndTouchesItOnTwoSides)
{
    const FitCase& c = GetParam();
    const ViewTransform view = ViewTransform::fitting(c.extent, c.viewport, c.margin);
    const QRectF room = c.viewport.adjusted(c.margin, c.margin, -c.margin, -c.margin);
    const QPointF topLeft = view.toDevice({c.extent.left, c.extent.top});
    const QPointF bottomRight = view.toDevice({c.extent.right, c.extent.bottom});
    constexpr double kSlack = 1e-6;
    EXPECT_GE(topLeft.x(), room.left() - kSlack);
    EXPECT_GE(topLeft.y(), room.top() - kSlack);
    EXPECT_LE(bottomRight.x(), room.right() + kSlack);
    EXPECT_LE(bottomRight.y(), room.bottom() + kSlack);
    const bool fillsWidth = std::fabs(bottomRight.x() - topLeft.x() - room.width()) < kSlack;
    const bool fillsHeight = std::fabs(bottomRight.y() - topLeft.y() - room.height()) < kSlack;
    EXPECT_TRUE(fillsWidth || fillsHeight) << "fits " << bottomRight.x() - topLeft.x() << " x "
                                           << bottomRight.y() - topLeft.y() << " into " << room.width()
                                           << " x " << room.height();
    const QPointF middle = (topLeft + bottomRight) / 2;
    EXPECT_NEAR(middle.x(), room.center().x(), kSlack);
    EXPECT_NEAR(middle.y(), room.center().y(), kSlack);
}

INSTANTIATE_TEST_SUITE_P(Extents, Fitting,
                         testing::Values(
                             FitCase{"DefaultsWithHk2000InTheDrawingWindow", {-3177.6, -6850.8, 10843.9, 4923.4}, {0, 0, 1000, 800}, 20},
                             FitCase{"WiderThanTheViewport", {0, 0, 1000, 10}, {0, 0, 400, 300}, 10},
                             FitCase{"TallerWithTheViewportAwayFromTheCorner", {-5, -500, 5, 500}, {30, 40, 400, 300}, 8},
                             FitCase{"ALineAlongXOnly", {0, 7, 250, 7}, {0, 0, 500, 500}, 0}),
                         [](const testing::TestParamInfo<FitCase>& info) { return info.param.name; });

TEST(ViewTransform, ZoomStopsAtItsLimits)
{
    const ViewTransform view(1, {0, 0});
    EXPECT_DOUBLE_EQ(view.zoomedAbout({5, 5}, 100, 0.1, 10).scale(), 10);
    EXPECT_DOUBLE_EQ(view.zoomedAbout({5, 5}, 0.001, 0.1, 10).scale(), 0.1);
}

TEST(ScaleBar, IsTheLongestRoundLengthThatFits)
{
    struct Row {
        double scale;      // device units per mm
        double maxLength;  // device units
        double length;     // mm
        int parts;
    };
    const Row rows[] = {
        {0.1, 160, 1000, 5},   // 1000 mm is 100 px
        {0.1, 199, 1000, 5},
        {0.1, 200, 2000, 4},
        {0.1, 499, 2000, 4},
        {0.1, 500, 5000, 5},
        {1, 1, 1, 5},
        {4, 1, 0.2, 4},
        {0.04, 60, 1000, 5},   // the printed sheet: 1:25, 60 mm of paper
    };
    for (const Row& r : rows) {
        const ScaleBar bar = ScaleBar::longestWithin(r.scale, r.maxLength);
        EXPECT_DOUBLE_EQ(bar.length, r.length) << "scale " << r.scale << ", at most " << r.maxLength;
        EXPECT_EQ(bar.parts, r.parts) << "scale " << r.scale << ", at most " << r.maxLength;
        EXPECT_LE(bar.length * r.scale, r.maxLength * (1 + 1e-12));
    }
    EXPECT_EQ(ScaleBar::longestWithin(0, 100).length, 0);
    EXPECT_EQ(ScaleBar::longestWithin(std::nan(""), 100).length, 0);
}

}  // namespace
}  // namespace test
}  // namespace inlet
