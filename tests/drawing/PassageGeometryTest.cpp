// The passage's walls where the calculation puts them: the bell-mouth wall from the cone
// inlet through the rim to the tangent point, the guide cone from its top to the floor, the
// plan's outer wall through every station point, and only finite shapes for odd designs.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "drawing/DrawingSheet.h"
#include "drawing/PassageDrafting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

using namespace inlet;

namespace {

using Typed = std::vector<std::pair<Box, std::string>>;

Calculation run(const Typed& typed)
{
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    for (const auto& [box, text] : typed)
        boxes.type(box, text);
    return runCalculation(boxes, NumberLocale{".", ","});
}

Point at(const EllipseArc& arc, double u)
{
    return {arc.centre.x + arc.rx * std::cos(u), arc.centre.y + arc.ry * std::sin(u)};
}

void expectNear(Point actual, Point expected, double tolerance, const std::string& what)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what << " x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what << " y";
}

const View& view(const Drawing& d, const std::string& name)
{
    for (const View& v : d.views)
        if (v.name == name)
            return v;
    throw std::runtime_error("no view " + name);
}

}  // namespace

TEST(BellMouthWall, RunsFromTheConeInletThroughTheRimToTheTangentPoint)
{
    struct Row {
        const char* name;
        Typed typed;
        Point coneInlet;  // (D0/2, H1 + H2)
    };
    const Row rows[] = {
        {"no contraction", {}, {1100, 2000}},
        {"theta 5 with D0 2200", {{Box::Text4, "5"}}, {1100, 2000}},
        {"theta 5 with D0 2000", {{Box::Text4, "5"}, {Box::Text3, "2000"}}, {1000, 2000}},
        {"theta 3.5 with D0 2400", {{Box::Text4, "3.5"}, {Box::Text3, "2400"}}, {1200, 2000}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Calculation c = run(row.typed);
        const PassageProfile p = passageProfile(c);
        ASSERT_TRUE(p.bellMouth);
        const EllipseArc& bell = *p.bellMouth;
        expectNear(p.coneInlet, row.coneInlet, 1e-9, "cone inlet");
        expectNear(at(bell, bell.start), row.coneInlet, 1e-6, "start of the bell-mouth wall");
        expectNear(at(bell, 1.5 * std::numbers::pi), {1500, 1300}, 1e-9, "rim");
        expectNear(at(bell, bell.end), p.tangentPoint, 1e-6, "end at the tangent point");
        expectNear(p.tangentPoint, {1500 + c.volute.tp.ap, c.volute.tp.bp}, 0, "tangent point");

        // At the cone inlet the wall runs on from the conical pipe: its tangent lies at theta
        // from the vertical, as the pipe's does.
        const double dx = -bell.rx * std::sin(bell.start), dy = bell.ry * std::cos(bell.start);
        const double pipe = (p.coneTop.x - p.coneInlet.x) / (p.coneTop.y - p.coneInlet.y);
        EXPECT_NEAR(dx / dy, pipe, 1e-9) << "slope at the cone inlet";
        // At the tangent point the wall rises outward at aa.
        const double ex = -bell.rx * std::sin(bell.end), ey = bell.ry * std::cos(bell.end);
        EXPECT_NEAR(ey / ex, c.volute.T, 1e-9) << "slope at the tangent point";
    }
}

TEST(GuideCone, RunsFromItsTopDownToTheFloorUnderTheRim)
{
    const Calculation c = run({{Box::Text34, "700.1"}});
    const PassageProfile p = passageProfile(c);
    ASSERT_TRUE(p.guideCone);
    expectNear(at(*p.guideCone, p.guideCone->start), {700.0999755859375 / 2, 2000}, 1e-9, "top");
    expectNear(at(*p.guideCone, p.guideCone->end), {1500, 0}, 1e-9, "foot");
    expectNear(p.guideConeFoot, {1500, 0}, 1e-9, "foot point");
}

TEST(Plan, TheOuterWallPassesThroughEveryStationPointAndRunsOnAtHalfB)
{
    const Calculation c = run({});
    const Drawing d = drawPassage(c);
    const View& plan = view(d, "PLAN");
    const Polyline* wall = nullptr;
    for (const Shape& s : plan.shapes)
        if (const auto* p = std::get_if<Polyline>(&s.geometry); p && p->points.size() > 100)
            wall = p;
    ASSERT_NE(wall, nullptr);
    const auto passesThrough = [wall](Point q) {
        for (const Point& p : wall->points)
            if (std::hypot(p.x - q.x, p.y - q.y) < 1e-6)
                return true;
        return false;
    };
    for (const Station& s : stations(c)) {
        const double r = 1500 + s.a, phi = s.phi * std::numbers::pi / 180;
        EXPECT_TRUE(passesThrough({r * std::sin(phi), r * std::cos(phi)})) << symbol(s.width) << " right";
        EXPECT_TRUE(passesThrough({-r * std::sin(phi), r * std::cos(phi)})) << symbol(s.width) << " left";
    }
    EXPECT_NEAR(wall->points.front().x, -c.B / 2, 1e-9);
    EXPECT_NEAR(wall->points.back().x, c.B / 2, 1e-9);
    EXPECT_LT(wall->points.back().y, 0) << "the straight wall runs toward the inlet";
}

TEST(Drawing, HasEveryViewInItsOwnFrameAndPlacedWithoutOverlap)
{
    const Drawing d = drawPassage(run({}));
    const std::vector<std::string> names{"SECTION", "PLAN", "STATION_0", "STATION_10", "STATION_20",
                                          "STATION_30", "STATION_40", "STATION_50", "STATION_60",
                                          "STATION_70", "STATION_80", "STATION_84", "STATION_87", "STATION_90",
                                          "AREA_NOTE"};  // hk 2000: sections drawn off F, named above the views
    ASSERT_EQ(d.views.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(d.views[i].name, names[i]);
    EXPECT_EQ(d.views[0].placement.x, 0) << "the section's axis lies at x = 0";
    EXPECT_EQ(d.views[0].placement.y, 0) << "the section's floor lies at y = 0";
    for (std::size_t i = 0; i < d.views.size(); ++i) {
        for (std::size_t j = i + 1; j < d.views.size(); ++j) {
            const View& a = d.views[i];
            const View& b = d.views[j];
            const bool apart = a.extent.right + a.placement.x <= b.extent.left + b.placement.x
                               || b.extent.right + b.placement.x <= a.extent.left + a.placement.x
                               || a.extent.top + a.placement.y <= b.extent.bottom + b.placement.y
                               || b.extent.top + b.placement.y <= a.extent.bottom + a.placement.y;
            EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
        }
    }
}

// Texts have their paper heights at the scale the sheet prints the drawing: dimension figures
// 3.5 mm, titles 5 mm; and the views drawn with them hold on the sheet at that scale.
TEST(Drawing, SizesItsTextsInPaperMillimetresAtTheSheetsScale)
{
    for (const char* hk : {"2000", "1000"}) {
        const Calculation c = run({{Box::Text21, hk}});
        for (const char* paper : {"auto", "A3"}) {
            const Drawing d = drawPassage(c, {0, paper, {}, {}});
            const double scale = d.printScale;
            EXPECT_NEAR(d.textHeight, 3.5 * scale, 1e-9) << "hk " << hk << " on " << paper;
            EXPECT_EQ(drawingSheet(d, {}, paper).scale, scale) << "hk " << hk << " on " << paper;
            for (const Shape& shape : d.views[1].shapes) {
                if (const auto* label = std::get_if<Label>(&shape.geometry); label && label->text == "平面图")
                    EXPECT_NEAR(label->height, 5 * scale, 1e-9) << "hk " << hk << " on " << paper;
            }
        }
    }
}

// Designs the run completes, however odd, give only finite shapes and name what cannot be
// drawn instead of drawing it.
TEST(Drawing, OddDesignsGiveFiniteShapesOnly)
{
    const Typed designs[] = {
        {{Box::Text3, "3000"}, {Box::Text35, "2200"}},  // D0 > D1: a negative a1
        {{Box::Text34, "4000"}},                         // dd0 > D1: a negative a2
        {{Box::Text10, "0"}, {Box::Text4, "0"}},          // H1 0: b1 0
        {{Box::Text35, "1e300"}, {Box::Text3, "1e299"}},  // too large to draw
        {{Box::Text22, "-50"}},                           // the upper wall falls outward
        {{Box::Text21, "1e-30"}, {Box::Text22, "1"}},     // hk all but zero
    };
    for (const Typed& typed : designs) {
        Calculation c;
        try {
            c = run(typed);
        } catch (const Failure& f) {
            continue;
        }
        const Drawing d = drawPassage(c);
        for (const View& v : d.views) {
            for (const Shape& s : v.shapes) {
                const Extent e = extentOf(s);
                ASSERT_TRUE(std::isfinite(e.left) && std::isfinite(e.right) && std::isfinite(e.top)
                            && std::isfinite(e.bottom))
                    << v.name << " in the design " << boxName(typed.front().first) << "="
                    << typed.front().second;
            }
        }
    }
}

TEST(PointsAlong, StayWithinTheAskedDeviationOfTheArc)
{
    const EllipseArc arcs[] = {
        {{1500, 2000}, 400, 700, 3.3, 5.9},
        {{0, 0}, 3000, 5, 0, std::numbers::pi},
        {{10, 10}, 1e-3, 1e-3, 0, 6},
    };
    for (const EllipseArc& arc : arcs) {
        const std::vector<Point> points = pointsAlong(arc, 0.01);
        ASSERT_GE(points.size(), 9u);
        for (const Point& p : points) {
            const double f = std::pow((p.x - arc.centre.x) / arc.rx, 2) + std::pow((p.y - arc.centre.y) / arc.ry, 2);
            EXPECT_NEAR(f, 1, 1e-9) << "a vertex off the ellipse";
        }
        // The middle of each chord lies within 0.01 mm of the arc between its ends.
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const double u = arc.start + (arc.end - arc.start) * (i + 0.5) / (points.size() - 1);
            const Point mid{(points[i].x + points[i + 1].x) / 2, (points[i].y + points[i + 1].y) / 2};
            EXPECT_LE(std::hypot(mid.x - at(arc, u).x, mid.y - at(arc, u).y), 0.01)
                << "chord " << i << " of an arc with axes " << arc.rx << ", " << arc.ry;
        }
    }
}
