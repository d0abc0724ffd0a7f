// An elliptical arc and the ELLIPSE written for it pass through the same points, whichever
// axis is the longer.

#include "dxf/DxfEllipse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>

using namespace inlet;

namespace {

constexpr double kPi = std::numbers::pi;

std::string text(const EllipseArc& a)
{
    std::ostringstream out;
    out << "arc centre (" << a.centre.x << ", " << a.centre.y << ") rx " << a.rx << " ry " << a.ry
               << " u " << a.start << " to " << a.end;
    return out.str();
}

Point onArc(const EllipseArc& a, double u)
{
    return {a.centre.x + a.rx * std::cos(u), a.centre.y + a.ry * std::sin(u)};
}

// centre + major·cos v + minor·sin v, the minor axis the major turned a quarter turn
// counter-clockwise and scaled by the ratio.
Point onEllipse(const DxfEllipse& e, double v)
{
    const Point minor{-e.majorAxis.y * e.ratio, e.majorAxis.x * e.ratio};
    return {e.centre.x + e.majorAxis.x * std::cos(v) + minor.x * std::sin(v),
            e.centre.y + e.majorAxis.y * std::cos(v) + minor.y * std::sin(v)};
}

struct EllipseCase {
    const char* name;
    EllipseArc arc;
    Point majorAxis;
    double ratio;
    double start;
    double end;
};

class DxfEllipseTest : public testing::TestWithParam<EllipseCase> {};

TEST_P(DxfEllipseTest, HoldsTheArc)
{
    const EllipseCase& c = GetParam();
    const std::optional<DxfEllipse> e = dxfEllipse(c.arc);
    ASSERT_TRUE(e) << text(c.arc);
    EXPECT_EQ(e->centre.x, c.arc.centre.x) << text(c.arc);
    EXPECT_EQ(e->centre.y, c.arc.centre.y) << text(c.arc);
    EXPECT_EQ(e->majorAxis.x, c.majorAxis.x) << text(c.arc);
    EXPECT_EQ(e->majorAxis.y, c.majorAxis.y) << text(c.arc);
    EXPECT_DOUBLE_EQ(e->ratio, c.ratio) << text(c.arc);
    EXPECT_NEAR(e->start, c.start, 1e-12) << text(c.arc);
    EXPECT_NEAR(e->end, c.end, 1e-12) << text(c.arc);
    EXPECT_GE(e->start, 0) << text(c.arc);
    EXPECT_LT(e->start, 2 * kPi) << text(c.arc);
    EXPECT_GT(e->end, 0) << text(c.arc);
    EXPECT_LE(e->end, 2 * kPi) << text(c.arc);

    if (c.arc.end - c.arc.start >= 2 * kPi)
        return;  // the whole ellipse, from wherever
    // The same points from start to end: the end points and the middle.
    double sweep = e->end - e->start;
    if (sweep <= 0)
        sweep += 2 * kPi;
    for (const double f : {0.0, 0.5, 1.0}) {
        const Point expected = onArc(c.arc, c.arc.start + f * (c.arc.end - c.arc.start));
        const Point written = onEllipse(*e, e->start + f * sweep);
        EXPECT_NEAR(written.x, expected.x, 1e-9) << text(c.arc) << " at fraction " << f;
        EXPECT_NEAR(written.y, expected.y, 1e-9) << text(c.arc) << " at fraction " << f;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arcs, DxfEllipseTest,
    testing::Values(
        // rx >= ry: the major axis along x, the parameters as they are.
        EllipseCase{"WideQuarter", {{10, 20}, 900, 700, 0, kPi / 2}, {900, 0}, 700.0 / 900, 0, kPi / 2},
        EllipseCase{"WideLowerLeft", {{1500, 2000}, 900, 700, kPi, 1.5 * kPi}, {900, 0}, 700.0 / 900, kPi, 1.5 * kPi},
        EllipseCase{"CircleAsEllipse", {{0, 0}, 5, 5, 1, 2}, {5, 0}, 1, 1, 2},
        EllipseCase{"WideNegativeStart", {{0, 0}, 4, 3, -0.5, 0.25}, {4, 0}, 0.75, 2 * kPi - 0.5, 0.25},
        EllipseCase{"WideBeyondOneTurn", {{0, 0}, 4, 3, 2 * kPi + 1, 2 * kPi + 2}, {4, 0}, 0.75, 1, 2},
        EllipseCase{"WideEndingAtFullTurn", {{0, 0}, 4, 3, 1.5 * kPi, 2 * kPi}, {4, 0}, 0.75, 1.5 * kPi, 2 * kPi},
        EllipseCase{"WideWhole", {{0, 0}, 4, 3, -1, 1 + 2 * kPi}, {4, 0}, 0.75, 0, 2 * kPi},
        // ry > rx: the major axis along y, the parameters shifted by -pi/2.
        EllipseCase{"TallBellMouth", {{1500, 2000}, 400, 700, kPi, kPi + 2.2}, {0, 700}, 400.0 / 700, kPi / 2, kPi / 2 + 2.2},
        EllipseCase{"TallGuideCone", {{1500, 2000}, 1150, 2000, kPi, 1.5 * kPi}, {0, 2000}, 0.575, kPi / 2, kPi},
        EllipseCase{"TallMirroredBellMouth", {{-1500, 2000}, 400, 700, -2.2, 0}, {0, 700}, 400.0 / 700, 1.5 * kPi - 2.2, 1.5 * kPi},
        EllipseCase{"TallAcrossZero", {{0, 0}, 3, 4, 0, kPi}, {0, 4}, 0.75, 1.5 * kPi, kPi / 2},
        EllipseCase{"TallWhole", {{0, 0}, 3, 4, 0, 3 * kPi}, {0, 4}, 0.75, 0, 2 * kPi}),
    [](const testing::TestParamInfo<EllipseCase>& info) { return info.param.name; });

struct NoEllipseCase {
    const char* name;
    EllipseArc arc;
};

class NoDxfEllipseTest : public testing::TestWithParam<NoEllipseCase> {};

TEST_P(NoDxfEllipseTest, IsNoEllipse)
{
    EXPECT_FALSE(dxfEllipse(GetParam().arc)) << text(GetParam().arc);
}

INSTANTIATE_TEST_SUITE_P(
    Arcs, NoDxfEllipseTest,
    testing::Values(
        NoEllipseCase{"NoSweep", {{0, 0}, 4, 3, 1, 1}},
        NoEllipseCase{"Backwards", {{0, 0}, 4, 3, 2, 1}},
        NoEllipseCase{"SweepTooSmallToTellFromWhole", {{0, 0}, 4, 3, 1, 1 + 1e-17}},
        NoEllipseCase{"ZeroAxis", {{0, 0}, 0, 3, 0, 1}},
        NoEllipseCase{"NegativeAxis", {{0, 0}, 4, -3, 0, 1}},
        NoEllipseCase{"InfiniteAxis", {{0, 0}, INFINITY, 3, 0, 1}},
        NoEllipseCase{"NotANumberStart", {{0, 0}, 4, 3, NAN, 1}},
        NoEllipseCase{"InfiniteEnd", {{0, 0}, 4, 3, 0, INFINITY}},
        NoEllipseCase{"RatioBelowWhatCadAccepts", {{0, 0}, 1e-7, 1, 0, 1}}),
    [](const testing::TestParamInfo<NoEllipseCase>& info) { return info.param.name; });

}  // namespace
