// The profile and volute formulas: which precision each value is held in, and which kind of
// failure each degenerate design gives.

#include "calc/Arithmetic.h"
#include "calc/Profiles.h"
#include "calc/Volute.h"

#include "tests/calc/FailureOf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace inlet;

namespace {

// The given dimensions of a fresh window, with hk 2000.
DesignInputs defaults()
{
    return {.D = 2200, .D0 = 2200, .theta = 0, .H0 = 700, .H1 = 700, .H2 = 1300,
            .D1 = 3000, .dd0 = 700, .aa = aaRadians(50), .hk = 2000};
}

Volute voluteOf(const DesignInputs& in)
{
    const double tanAa = T(in);
    const double s = S(a1(in), b1(in), tanAa);
    Volute v{.tp = {.ap = ap(a1(in), tanAa, s), .bp = bp(b1(in), in.H2, s)},
             .H2 = in.H2,
             .hk = in.hk,
             .T = tanAa};
    v.Ft = Ft(v);
    v.P = P(v);
    return v;
}

}  // namespace

TEST(Profiles, WithoutContractionTheEllipseIsHalfTheWideningByH1)
{
    DesignInputs in = defaults();
    in.D0 = 2000;
    EXPECT_EQ(a1(in), 500);
    EXPECT_EQ(b1(in), 700);
}

TEST(Precision, SingleValuesAreSeenRoundedByEveryLaterFormula)
{
    DesignInputs in = defaults();
    in.H2 = toSingle(1300.3);
    in.dd0 = toSingle(700.1);
    EXPECT_EQ(b2(in), 700 + 1300.300048828125);
    EXPECT_EQ(H(in), 1400 + 1300.300048828125);
    EXPECT_EQ(a2(in), (3000 - 700.0999755859375) / 2);
    in.H0 = 700.1;
    EXPECT_EQ(y2(in), 700.0999755859375f);
}

TEST(Precision, StationAreasOfTheTableAreSingles)
{
    const DesignInputs in = defaults();
    const Volute v = voluteOf(in);
    StationTable table;
    computeStation(table, 3, v, in.D1);
    const double area = stationArea(in.D1, in.H2, 30);
    EXPECT_EQ(table.F[3], static_cast<float>(area));
    EXPECT_NE(static_cast<double>(table.F[3]), area) << "the 30 degree area should not be a single already";
    EXPECT_EQ(table.C[3], C(v, table.F[3]));
}

TEST(FailureKinds, ProfilesOfDegenerateDesigns)
{
    struct Row {
        const char* name;
        void (*change)(DesignInputs&);
        double (*formula)(const DesignInputs&);
        FailureKind kind;
    };
    using enum FailureKind;
    const Row rows[] = {
        {"a1 with D1 equal to D0", [](DesignInputs& in) { in.D1 = in.D0; }, a1, DivisionByZero},
        {"b1 with D1 equal to D0", [](DesignInputs& in) { in.D1 = in.D0; }, b1, DivisionByZero},
        {"a1 with the contraction outgrowing the widening",
         [](DesignInputs& in) { in.theta = thetaRadians(45); }, a1, InvalidCall},
        {"a1 with H1 overflowing its cube", [](DesignInputs& in) { in.H1 = 1e200; }, a1, Overflow},
        {"H beyond the double range", [](DesignInputs& in) { in.H0 = in.H1 = 1e308; }, H, Overflow},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DesignInputs in = defaults();
        row.change(in);
        EXPECT_EQ(failureOf([&] { row.formula(in); }), row.kind);
    }
}

TEST(FailureKinds, VoluteOfDegenerateDesigns)
{
    using enum FailureKind;
    DesignInputs level = defaults();
    level.aa = 0;
    EXPECT_EQ(failureOf([&] { voluteOf(level); }), DivisionByZero) << "aa = 0";

    DesignInputs noHeight = defaults();
    noHeight.hk = 0;
    const Volute v = voluteOf(noHeight);
    EXPECT_EQ(failureOf([&] { a90(v, noHeight.D1); }), DivisionByZero) << "hk = 0";

    DesignInputs steep = defaults();
    steep.aa = aaRadians(89);
    const Volute s = voluteOf(steep);
    StationTable table;
    EXPECT_EQ(failureOf([&] { computeStation(table, 0, s, steep.D1); }), InvalidCall)
        << "aa = 89: negative value under the half power at 0 degrees";
}

TEST(StationRules, AnAreaEqualToTheThresholdTakesTheQuadraticRule)
{
    const DesignInputs in = defaults();
    Volute v = voluteOf(in);
    const double F = stationArea(in.D1, in.H2, 40);
    v.Ft = F;
    const double c = C(v, F);
    EXPECT_EQ(width(v, F, c), quadraticWidth(v, c));
    EXPECT_NE(width(v, F, c), 0);
    EXPECT_EQ(width(v, std::nextafter(F, 1e30), c), linearWidth(v, std::nextafter(F, 1e30)));
}

TEST(StationRules, AThresholdBelowEveryAreaTakesTheLinearRuleEvenAtZeroDegrees)
{
    const DesignInputs in = defaults();
    Volute v = voluteOf(in);
    v.Ft = -1;
    StationTable table;
    computeStation(table, 0, v, in.D1);
    EXPECT_EQ(table.A[0], toSingle(linearWidth(v, 0)));
}
