// The section drawn at each station encloses the station's area: the two width rules are
// the areas of the two shapes, with the bell's lip between the rim and the tangent point
// counted as a quarter ellipse of semi-axes ap and bp - H2 (and pi 3.1416, as the rules
// count it). Checked from the outline's coordinates, for every station of the run's widths
// whose rule matches the shape its width gives, and for every area-true station drawn.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "drawing/PassageGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace inlet;

namespace {

using Typed = std::vector<std::pair<Box, std::string>>;

std::string describeTyped(const Typed& typed)
{
    std::string text;
    for (const auto& [box, value] : typed)
        text.append(" ").append(boxName(box)).append("=").append(value);
    return text;
}

// The area a section's outline encloses, its closing chord from the tangent point to the
// rim replaced by the quarter ellipse the rules count.
double enclosedArea(const StationSection& section, const Calculation& c)
{
    double twice = 0;
    const std::vector<Point>& p = section.outline;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % p.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    const double ap = c.volute.tp.ap, bp = c.volute.tp.bp, H2 = c.in.H2;
    const double underChord = ap * (bp + H2) / 2;
    const double underLip = ap * bp - 3.1416 * ap * (bp - H2) / 4;
    return twice / 2 - underChord + underLip;
}

bool ruleMatchesShape(const StationSection& s)
{
    return (s.station.rule == WidthRule::Quadratic && s.shape == SectionShape::Inclined)
           || (s.station.rule == WidthRule::Linear && s.shape == SectionShape::Level);
}

// How far the area may lie from F: the width is held in single precision (at 90 degrees in
// double), and the area grows with the width by the outer wall's height.
double tolerance(const StationSection& s, const Calculation& c)
{
    const double wall = s.shape == SectionShape::Level ? static_cast<double>(c.volute.hk)
                                                       : inclinedWallHeight(c, s.station.a);
    const double step = s.station.phi == 90 ? std::ldexp(std::fabs(s.station.a), -52)
                                            : std::ldexp(std::fabs(s.station.a), -23);
    return std::fabs(wall) * step + 1e-9 * std::fabs(s.station.F);
}

// Checks every station of one design drawn with a width set whose rule matches its shape;
// every area-true section must match. Returns how many there were.
int checkDesign(const Typed& typed, WidthSet set = WidthSet::Computed)
{
    SCOPED_TRACE("design:" + describeTyped(typed) + " widths " + std::string(widthSetName(set)));
    BoxTexts boxes;
    for (const auto& [box, text] : typed)
        boxes.type(box, text);
    Calculation c;
    try {
        c = runCalculation(boxes, NumberLocale{".", ","});
    } catch (const Failure&) {
        return 0;
    }
    int checked = 0;
    for (const std::optional<StationSection>& drawn : drawnSections(c, widthSets(c), set)) {
        if (!drawn)
            continue;
        const StationSection& section = *drawn;
        const Station& station = section.station;
        if (!ruleMatchesShape(section)) {
            EXPECT_EQ(set, WidthSet::Computed) << symbol(station.width) << " takes the other shape's rule";
            continue;
        }
        ++checked;
        EXPECT_NEAR(enclosedArea(section, c), station.F, tolerance(section, c))
            << symbol(station.width) << " width " << station.a << " mm";
    }
    return checked;
}

}  // namespace

TEST(SectionArea, EqualsTheStationAreaInThePublishedDesigns)
{
    // hk 2000: 0 to 30 degrees on the quadratic rule's shape, 90 on the linear; hk 1000 lies
    // below bp: no section of either shape.
    EXPECT_EQ(checkDesign({{Box::Text21, "2000"}}), 4);
    EXPECT_EQ(checkDesign({{Box::Text21, "1000"}}), 0);
    EXPECT_GT(checkDesign({{Box::Text21, "2000"}, {Box::Text4, "5"}, {Box::Text3, "2000"}}), 0);
    // Area-true: every station but 0 degrees, whose area is nothing; none where hk lies below bp.
    EXPECT_EQ(checkDesign({{Box::Text21, "2000"}}, WidthSet::AreaTrue), 11);
    EXPECT_EQ(checkDesign({{Box::Text21, "1000"}}, WidthSet::AreaTrue), 0);
}

TEST(SectionArea, EqualsTheStationAreaInSeededRandomDesigns)
{
    std::mt19937 random(20261207);
    const auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto text = [](double value) { return std::to_string(value); };
    int designs = 0, checked = 0, areaTrue = 0;
    for (int i = 0; i < 400; ++i) {
        const double D1 = uniform(1500, 5000);
        const Typed typed{
            {Box::Text35, text(D1)},
            {Box::Text3, text(D1 * uniform(0.6, 0.85))},
            {Box::Text4, text(uniform(0, 6))},
            {Box::Text9, text(uniform(300, 1500))},
            {Box::Text10, text(uniform(400, 1500))},
            {Box::Text11, text(D1 * uniform(0.3, 0.6))},
            {Box::Text34, text(D1 * uniform(0.1, 0.3))},
            {Box::Text22, text(uniform(25, 70))},
            {Box::Text21, text(uniform(300, 5000))},
        };
        const int n = checkDesign(typed);
        designs += n > 0;
        checked += n;
        areaTrue += checkDesign(typed, WidthSet::AreaTrue);
    }
    // Enough designs on each rule to mean something.
    EXPECT_GT(designs, 250);
    EXPECT_GT(checked, 2000);
    EXPECT_GT(areaTrue, checked);
}

namespace {

// The area the drawn outline encloses with its lip sampled finely: what a reader of the
// drawing measures.
double measuredArea(const StationSection& s)
{
    std::vector<Point> ring = s.outline;
    if (s.lip) {
        // The lip runs from the rim up to the outline's last point; walked back to the rim.
        const EllipseArc& lip = *s.lip;
        std::vector<Point> arc;
        for (int k = 0; k <= 20000; ++k) {
            const double u = lip.start + (lip.end - lip.start) * k / 20000;
            arc.push_back({lip.centre.x + lip.rx * std::cos(u), lip.centre.y + lip.ry * std::sin(u)});
        }
        const Point& last = ring.back();
        const auto d2 = [](Point a, Point b) { return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y); };
        if (d2(arc.back(), last) < d2(arc.front(), last))
            std::reverse(arc.begin(), arc.end());
        ring.insert(ring.end(), arc.begin() + 1, arc.end() - 1);
    }
    double twice = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const Point& a = ring[i];
        const Point& b = ring[(i + 1) % ring.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2;
}

}  // namespace

// The area each station view is labelled with is the area of the outline it draws, its lip the
// true arc; of every shape the computed widths give.
TEST(SectionArea, DrawnAreaIsTheAreaOfTheOutlineDrawn)
{
    struct Row {
        const char* name;
        Typed typed;
        WidthSet set;
    };
    const Row rows[] = {
        {"hk 2000 computed", {{Box::Text21, "2000"}}, WidthSet::Computed},
        {"hk 2000 area-true", {{Box::Text21, "2000"}}, WidthSet::AreaTrue},
        {"hk 1500 computed", {{Box::Text21, "1500"}}, WidthSet::Computed},
        {"hk 3000 aa 40", {{Box::Text21, "3000"}, {Box::Text22, "40"}}, WidthSet::Computed},
        {"theta 5", {{Box::Text21, "2400"}, {Box::Text4, "5"}, {Box::Text3, "2000"}}, WidthSet::Computed},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BoxTexts boxes;
        for (const auto& [box, text] : row.typed)
            boxes.type(box, text);
        const Calculation c = runCalculation(boxes, NumberLocale{".", ","});
        int measured = 0;
        for (const std::optional<StationSection>& s : drawnSections(c, widthSets(c), row.set)) {
            if (!s || !s->area)
                continue;
            ++measured;
            EXPECT_NEAR(*s->area, measuredArea(*s), 1e-6 * *s->area) << symbol(s->station.width);
        }
        EXPECT_GT(measured, 9);
    }
    // 87 degrees at hk 2000: the computed width draws 2,629,701 mm², not F = 2,960,958.
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    const Calculation c = runCalculation(boxes, NumberLocale{".", ","});
    const std::optional<double> drawn = drawnArea(c, stations(c)[10].a);
    ASSERT_TRUE(drawn);
    EXPECT_NEAR(*drawn, 2629701, 1);
    EXPECT_TRUE(drawnAreaDiffers(*drawn, stations(c)[10].F));
    EXPECT_NEAR(drawnAreaPercent(*drawn, stations(c)[10].F), -11.19, 0.01);
}
