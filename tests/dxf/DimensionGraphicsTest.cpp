// A dimension drawn as lines, arrowheads and its figure.

#include "dxf/DimensionGraphics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

using namespace inlet;

namespace {

std::string text(const Line& l)
{
    std::ostringstream out;
    out << "(" << l.from.x << ", " << l.from.y << ")-(" << l.to.x << ", " << l.to.y << ")";
    return out.str();
}

std::string text(const std::vector<Line>& lines)
{
    std::string all;
    for (const Line& l : lines)
        all += text(l) + " ";
    return all;
}

std::string text(const std::array<Point, 3>& arrow)
{
    std::ostringstream out;
    for (const Point& p : arrow)
        out << "(" << p.x << ", " << p.y << ")";
    return out.str();
}

std::string text(const std::vector<std::array<Point, 3>>& arrows)
{
    std::string all;
    for (const auto& a : arrows)
        all += text(a) + " ";
    return all;
}

// Where a dimension measures and where its line runs; its figure is always "x=1".
struct Measure {
    Point from;
    Point to;
    Point at;
    Dimension::Direction direction;
};

struct DimensionCase {
    const char* name;
    Measure measure;
    std::vector<Line> lines;
    std::vector<std::array<Point, 3>> arrows;
    Point figureAt;
    double figureAngle;
};

std::string text(const Dimension& d)
{
    std::ostringstream out;
    out << (d.direction == Dimension::Direction::Horizontal ? "horizontal" : "vertical") << " dimension from ("
               << d.from.x << ", " << d.from.y << ") to (" << d.to.x << ", " << d.to.y << ") through (" << d.at.x
               << ", " << d.at.y << ")";
    return out.str();
}

class DimensionGraphicsTest : public testing::TestWithParam<DimensionCase> {};

// All with figures 12 high: gap 3, overshoot 6, arrowheads 12 long and 4 wide.
TEST_P(DimensionGraphicsTest, DrawsAsExpected)
{
    const DimensionCase& c = GetParam();
    const Dimension d{c.measure.from, c.measure.to, c.measure.at, c.measure.direction, "x=1"};
    const DimensionGraphics g = dimensionGraphics(d, 12);
    EXPECT_EQ(text(g.lines), text(c.lines)) << text(d);
    EXPECT_EQ(text(g.arrows), text(c.arrows)) << text(d);
    EXPECT_EQ(g.figure.at.x, c.figureAt.x) << text(d);
    EXPECT_EQ(g.figure.at.y, c.figureAt.y) << text(d);
    EXPECT_EQ(g.figureAngle, c.figureAngle) << text(d);
    EXPECT_EQ(g.figure.height, 12) << text(d);
    EXPECT_EQ(g.figure.anchor, Label::Anchor::Centre) << text(d);
    EXPECT_EQ(g.figure.ascii, "x=1") << text(d);
}

constexpr auto H = Dimension::Direction::Horizontal;
constexpr auto V = Dimension::Direction::Vertical;
constexpr double kUp = std::numbers::pi / 2;

const DimensionCase kDimensions[] = {
    DimensionCase{"HorizontalBelow",
                  {{0, 0}, {100, 0}, {50, -30}, H},
                  {{{0, -3}, {0, -36}}, {{100, -3}, {100, -36}}, {{0, -30}, {100, -30}}},
                  {{{{0, -30}, {12, -28}, {12, -32}}}, {{{100, -30}, {88, -28}, {88, -32}}}},
                  {50, -27},
                  0},
    DimensionCase{"HorizontalAboveRightToLeft",
                  {{100, 10}, {-100, 20}, {0, 50}, H},
                  {{{100, 13}, {100, 56}}, {{-100, 23}, {-100, 56}}, {{100, 50}, {-100, 50}}},
                  {{{{100, 50}, {88, 52}, {88, 48}}}, {{{-100, 50}, {-88, 52}, {-88, 48}}}},
                  {0, 53},
                  0},
    DimensionCase{"HorizontalFromAPointOnTheLine",
                  {{0, 40}, {60, 0}, {30, 40}, H},
                  {{{60, 3}, {60, 46}}, {{0, 40}, {60, 40}}},
                  {{{{0, 40}, {12, 42}, {12, 38}}}, {{{60, 40}, {48, 42}, {48, 38}}}},
                  {30, 43},
                  0},
    DimensionCase{"HorizontalTooShortForArrowsInside",
                  {{0, 0}, {10, 0}, {5, -30}, H},
                  {{{0, -3}, {0, -36}}, {{10, -3}, {10, -36}}, {{-24, -30}, {34, -30}}},
                  {{{{0, -30}, {-12, -28}, {-12, -32}}}, {{{10, -30}, {22, -28}, {22, -32}}}},
                  {5, -27},
                  0},
    DimensionCase{"HorizontalOfNothing",
                  {{7, 0}, {7, 0}, {7, -30}, H},
                  {{{7, -3}, {7, -36}}, {{7, -3}, {7, -36}}},
                  {},
                  {7, -27},
                  0},
    DimensionCase{"VerticalRight",
                  {{0, 0}, {0, 100}, {40, 50}, V},
                  {{{3, 0}, {46, 0}}, {{3, 100}, {46, 100}}, {{40, 0}, {40, 100}}},
                  {{{{40, 0}, {42, 12}, {38, 12}}}, {{{40, 100}, {42, 88}, {38, 88}}}},
                  {37, 50},
                  kUp},
    DimensionCase{"VerticalLeftDownwards",
                  {{0, 100}, {0, 0}, {-40, 50}, V},
                  {{{-3, 100}, {-46, 100}}, {{-3, 0}, {-46, 0}}, {{-40, 100}, {-40, 0}}},
                  {{{{-40, 100}, {-38, 88}, {-42, 88}}}, {{{-40, 0}, {-38, 12}, {-42, 12}}}},
                  {-43, 50},
                  kUp},
};

INSTANTIATE_TEST_SUITE_P(Dimensions, DimensionGraphicsTest, testing::ValuesIn(kDimensions),
                         [](const testing::TestParamInfo<DimensionCase>& info) { return info.param.name; });

}  // namespace
