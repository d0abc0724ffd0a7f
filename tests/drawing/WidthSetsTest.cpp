// The two width sets: F*, the rule each area-true station takes, the widths where the sets
// differ, and none where no section of the assumed shape exists or a width cannot be computed.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "checks/DesignChecks.h"
#include "drawing/Figures.h"
#include "calc/Volute.h"
#include "drawing/WidthSets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace inlet;

namespace {

Calculation run(const std::string& hk)
{
    BoxTexts boxes;
    boxes.type(Box::Text21, hk);
    return runCalculation(boxes, NumberLocale{".", ","});
}

std::string widths(const WidthSets& w)
{
    std::string text;
    for (const auto& s : w.areaTrue)
        text.append(text.empty() ? "" : " ").append(s ? wholeMillimetres(s->a) : "-");
    return text;
}

}  // namespace

TEST(AreaTrueThreshold, IsTheAreaAtWhichTheUpperWallMeetsTheOuterWallAtHk)
{
    const Calculation c = run("2000");
    const Volute& v = c.volute;
    const std::optional<double> Fstar = areaTrueThreshold(v);
    ASSERT_TRUE(Fstar);
    EXPECT_NEAR(*Fstar, 1129084, 1);
    // Both rules give the width rh = ap + (hk - bp)/T there.
    const double rh = v.tp.ap + (static_cast<double>(v.hk) - v.tp.bp) / v.T;
    EXPECT_NEAR(quadraticWidth(v, C(v, *Fstar)), rh, 1e-6);
    EXPECT_NEAR(linearWidth(v, *Fstar), rh, 1e-6);
}

TEST(AreaTrueThreshold, TakesTheQuadraticRuleUpToItAndTheLinearAbove)
{
    const double Fstar = 1129084.25;
    EXPECT_EQ(areaTrueRule(Fstar, Fstar), WidthRule::Quadratic);
    EXPECT_EQ(areaTrueRule(std::nextafter(Fstar, 0.0), Fstar), WidthRule::Quadratic);
    EXPECT_EQ(areaTrueRule(std::nextafter(Fstar, 2 * Fstar), Fstar), WidthRule::Linear);
}

TEST(WidthSets, Hk2000DiffersFrom40To87DegreesByTheLinearRule)
{
    const Calculation c = run("2000");
    const WidthSets w = widthSets(c);
    EXPECT_EQ(widths(w), "-8 254 469 656 827 997 1167 1337 1507 1576 1627 1678");
    std::string differing;
    for (const std::size_t i : w.differing())
        differing.append(differing.empty() ? "" : " ").append(symbol(w.computed[i].width));
    EXPECT_EQ(differing, "a40 a50 a60 a70 a80 a84 a87");
    // Where the rules agree the area-true station is the run's own, to the last bit.
    for (const std::size_t i : {0, 1, 2, 3, 11})
        EXPECT_EQ(w.areaTrue[i]->a, w.computed[i].a) << symbol(w.computed[i].width);
    EXPECT_EQ(*w.passageWidth(WidthSet::Computed, c.in.D1), c.B);
}

TEST(WidthSets, NoneWhereHkIsNotAboveBpOrH2)
{
    for (const char* hk : {"1000", "1300", "1421"}) {
        const WidthSets w = widthSets(run(hk));
        EXPECT_FALSE(w.sectionsExist()) << "hk " << hk;
        EXPECT_EQ(widths(w), "- - - - - - - - - - - -") << "hk " << hk;
        EXPECT_TRUE(w.differing().empty()) << "hk " << hk;
    }
    EXPECT_TRUE(widthSets(run("1422")).sectionsExist());
}

TEST(WidthSets, AStationWhoseAreaTrueWidthCannotBeComputedHasNone)
{
    // A steep upper wall (aa 80 degrees), and a threshold Ft below every station: every run
    // width takes the linear rule, while below the quadratic rule's least area the area-true
    // one has no root. No run gives this (Ft always lies above that least area): the volute
    // is set by hand.
    Calculation c = run("3000");
    Volute& v = c.volute;
    v.T = std::tan(80 * 3.1416 / 180);
    const double s = S(c.profile.a1, c.profile.b1, v.T);
    v.tp = {ap(c.profile.a1, v.T, s), bp(c.profile.b1, v.H2, s)};
    v.P = P(v);
    v.Ft = -std::numeric_limits<double>::max();
    const WidthSets w = widthSets(c);
    ASSERT_TRUE(w.Fstar);
    int failed = 0;
    for (std::size_t i = 0; i < w.computed.size(); ++i) {
        if (w.failure[i]) {
            ++failed;
            EXPECT_EQ(*w.failure[i], FailureKind::InvalidCall) << symbol(w.computed[i].width);
            EXPECT_FALSE(w.areaTrue[i]) << "a stale width at " << symbol(w.computed[i].width);
        }
    }
    EXPECT_GT(failed, 0);

    // The checks say so at each such station, and offer nothing there.
    BoxTexts boxes;
    int said = 0;
    for (const DesignCheck& check : designChecks(c, w, WidthSet::AreaTrue, boxes, NumberLocale{".", ","}))
        said += check.kind == CheckKind::AreaTrueWidthFails;
    EXPECT_EQ(said, failed);
}
