// The figures of a section, the sampled surfaces they are read from, the solver's log and the
// rule that stops it: each against values worked out by hand.

#include "openfoam/CaseFolder.h"
#include "messages/Failure.h"
#include "openfoam/Friction.h"
#include "openfoam/PipeCase.h"
#include "openfoam/Pipeline.h"
#include "openfoam/SectionCheck.h"
#include "openfoam/SolverLog.h"
#include "openfoam/VtkSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>

using namespace inlet::cfd;

namespace {

// A unit square section across z split into two faces of 0.5 m^2 with the given velocities
// and pressures.
std::vector<SectionFace> twoFaces(Vec3 u1, Vec3 u2, double p1 = 0, double p2 = 0)
{
    return {{{0.25, 0.5, 0}, 0.5, u1, p1}, {{0.75, 0.5, 0}, 0.5, u2, p2}};
}

struct FiguresRow {
    const char* name;
    std::vector<SectionFace> faces;
    SectionFigures expected;
};

class SectionFiguresTest : public ::testing::TestWithParam<FiguresRow> {};

TEST_P(SectionFiguresTest, MatchesTheFormulas)
{
    const FiguresRow& row = GetParam();
    const SectionFigures f = sectionFigures(row.faces, {0, 0, 1});
    EXPECT_NEAR(f.area, row.expected.area, 1e-12);
    EXPECT_NEAR(f.flow, row.expected.flow, 1e-12);
    EXPECT_NEAR(f.uniformity, row.expected.uniformity, 1e-9);
    EXPECT_NEAR(f.angle, row.expected.angle, 1e-9);
    EXPECT_NEAR(f.totalHead, row.expected.totalHead, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, SectionFiguresTest,
    ::testing::Values(
        // Uniform axial flow: Vu 100 %, straight in, head (p + U^2/2)/g.
        FiguresRow{"uniform", twoFaces({0, 0, 2}, {0, 0, 2}, 9.81, 9.81), {1, 2, 2, 100, 90, (9.81 + 2) / 9.81, 2}},
        // 1 and 3 m/s: mean 2, deviation 1: Vu 50 %.
        FiguresRow{"halves", twoFaces({0, 0, 1}, {0, 0, 3}), {1, 2, 2, 50, 90, (0.5 * 1 + 4.5 * 3) / 4 / 9.81, 2}},
        // As much across the axis as along it: 45 degrees.
        FiguresRow{"swirl", twoFaces({1, 0, 1}, {0, -1, 1}), {1, 1, 1, 100, 45, 1 / 9.81, 2}},
        // Velocity-weighted angle: 90 on the fast face, 45 on the slow one.
        FiguresRow{"weighted", twoFaces({0, 0, 3}, {1, 0, 1}), {1, 2, 2, 50, (3 * 90 + 1 * 45) / 4.0, (3 * 4.5 + 1 * 1) / 4 / 9.81, 2}},
        // No flow through: zeros, never a division by zero.
        FiguresRow{"still", twoFaces({0, 0, 0}, {0, 0, 0}), {1, 0, 0, 0, 0, 0, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

// Backflow is counted, never taken for axial inflow: theta over the forward flow alone, the
// backward share of the area and of the flow, and the Vu the spread gives.
struct BackflowRow {
    const char* name;
    std::vector<SectionFace> faces;
    double uniformity, angle, backflowArea, backflowFlow;
};

class BackflowTest : public ::testing::TestWithParam<BackflowRow> {};

TEST_P(BackflowTest, CountsTheWaterRunningBack)
{
    const BackflowRow& row = GetParam();
    const SectionFigures f = sectionFigures(row.faces, {0, 0, 1});
    EXPECT_NEAR(f.uniformity, row.uniformity, 1e-9);
    EXPECT_NEAR(f.angle, row.angle, 1e-9);
    EXPECT_NEAR(f.backflowArea, row.backflowArea, 1e-12);
    EXPECT_NEAR(f.backflowFlow, row.backflowFlow, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, BackflowTest,
    ::testing::Values(
        // 3 m/s forward and 1 m/s straight back: mean 1, spread 2, Vu -100 %; theta 90 over the
        // forward half, half the area and a quarter of the water running back.
        BackflowRow{"forward_and_straight_back", twoFaces({0, 0, 3}, {0, 0, -1}), -100, 90, 0.5, 0.25},
        // None backward: no share.
        BackflowRow{"all_forward", twoFaces({0, 0, 1}, {0, 0, 3}), 50, 90, 0, 0},
        // Running back at 45 degrees: no part of theta, which the forward face alone sets.
        BackflowRow{"back_with_swirl", twoFaces({1, 0, 1}, {0, 1, -0.5}), -200, 45, 0.5,
                    0.5 / 1.5},
        // Across the axis only: no flow either way, theta over the forward face.
        BackflowRow{"across", twoFaces({0, 0, 2}, {1, 0, 0}), 0, 90, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A section is kept to its pipe and its figures checked against it: its area within 1 % of
// pi R^2, its flow within 1 % of Q, Vu within 0 to 100 %.
struct CheckRow {
    const char* name;
    SectionFigures figures;
    std::optional<inlet::Failure::Kind> failure;
};

class SectionCheckTest : public ::testing::TestWithParam<CheckRow> {};

TEST_P(SectionCheckTest, RefusesWhatIsNotThePipe)
{
    const CheckRow& row = GetParam();
    const Section pipe{"cone_inlet", "cone inlet", {0, 0, 2}, {0, 0, 1}, 1.0};
    const auto failure = checkSection(row.figures, pipe, 10);
    ASSERT_EQ(failure.has_value(), row.failure.has_value());
    if (failure) {
        EXPECT_EQ(failure->kind, *row.failure);
        EXPECT_EQ(failure->item, "cone_inlet");
        EXPECT_EQ(failure->stage, inlet::FlowStage::Evaluate);
    }
}

constexpr double kPi = 3.141592653589793;

SectionFigures figures(double area, double flow, double uniformity)
{
    SectionFigures f;
    f.area = area, f.flow = flow, f.uniformity = uniformity;
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Sections, SectionCheckTest,
    ::testing::Values(CheckRow{"the_pipe", figures(kPi, 10, 80), std::nullopt},
                      CheckRow{"area_just_within", figures(kPi * 1.0099, 10, 80), std::nullopt},
                      CheckRow{"area_too_large", figures(kPi * 1.011, 10, 80), inlet::Failure::Kind::FlowSectionArea},
                      // The plane cut on through the volute: 44.70 m2 for the pipe's 3.79.
                      CheckRow{"through_the_volute", figures(44.70, 12.48, -334.6), inlet::Failure::Kind::FlowSectionArea},
                      CheckRow{"area_too_small", figures(kPi * 0.985, 10, 80), inlet::Failure::Kind::FlowSectionArea},
                      CheckRow{"flow_just_within", figures(kPi, 10.099, 80), std::nullopt},
                      CheckRow{"flow_too_large", figures(kPi, 10.2, 80), inlet::Failure::Kind::FlowSectionFlow},
                      CheckRow{"flow_too_small", figures(kPi, 9.8, 80), inlet::Failure::Kind::FlowSectionFlow},
                      CheckRow{"vu_below_zero", figures(kPi, 10, -100), inlet::Failure::Kind::FlowSectionUniformity},
                      CheckRow{"vu_not_a_number", figures(kPi, 10, std::nan("")), inlet::Failure::Kind::FlowSectionUniformity},
                      CheckRow{"no_area", figures(0, 0, 0), inlet::Failure::Kind::FlowSectionArea}),
    [](const auto& info) { return std::string(info.param.name); });

// The smallest meshes, for trying the pipeline out, are held to a wider tolerance that still
// refuses a plane cut through the volute; a mesh from the coarse level on to 1 %.
TEST(SectionCheck, WidensOnlyForTheSmallestMeshes)
{
    EXPECT_EQ(sectionTolerance(4000), kSmallMeshSectionTolerance);
    EXPECT_EQ(sectionTolerance(60000), kSectionTolerance);
    EXPECT_EQ(sectionTolerance(400000), kSectionTolerance);
    const Section pipe{"cone_inlet", "cone inlet", {0, 0, 2}, {0, 0, 1}, 1.0};
    EXPECT_FALSE(checkSection(figures(kPi * 0.98, 10.9, 60), pipe, 10, sectionTolerance(4000)));
    const auto volute = checkSection(figures(44.70, 12.48, -334.6), pipe, 10, sectionTolerance(4000));
    ASSERT_TRUE(volute);
    EXPECT_EQ(volute->kind, inlet::Failure::Kind::FlowSectionArea);
    EXPECT_EQ(volute->number, 15);
}

// theta takes the whole velocity across the axis, theta_s the swirl about the section's axis
// alone: a section whose water turns about the axis and one whose water runs out across it at
// the same speed have the same theta and different theta_s.
struct SwirlRow {
    const char* name;
    std::vector<SectionFace> faces;
    Vec3 centre;
    double angle, swirlAngle;  // degrees
};

class SwirlAngleTest : public ::testing::TestWithParam<SwirlRow> {};

TEST_P(SwirlAngleTest, TakesTheSwirlAlone)
{
    const SwirlRow& row = GetParam();
    const SectionFigures f = sectionFigures(row.faces, {0, 0, 1}, row.centre);
    EXPECT_NEAR(f.angle, row.angle, 1e-9);
    EXPECT_NEAR(f.swirlAngle, row.swirlAngle, 1e-9);
}

// Two faces of 0.5 m^2 either side of the axis (x = +-1), with the given velocities.
std::vector<SectionFace> acrossTheAxis(Vec3 u1, Vec3 u2)
{
    return {{{1, 0, 0}, 0.5, u1, 0}, {{-1, 0, 0}, 0.5, u2, 0}};
}

const double kAtanHalfRoot2 = std::atan(1 / std::sqrt(2.0)) * 180 / std::acos(-1.0);  // atan2(1, sqrt 2)

INSTANTIATE_TEST_SUITE_P(
    Sections, SwirlAngleTest,
    ::testing::Values(
        // Turning about the axis as fast as it rises: both 45 degrees.
        SwirlRow{"pure_swirl", acrossTheAxis({0, 1, 1}, {0, -1, 1}), {0, 0, 0}, 45, 45},
        // Running out from the axis as fast as it rises: 45 degrees, yet no swirl at all.
        SwirlRow{"pure_radial", acrossTheAxis({1, 0, 1}, {-1, 0, 1}), {0, 0, 0}, 45, 90},
        // Both at once: across sqrt 2, around 1.
        SwirlRow{"swirl_and_radial", acrossTheAxis({1, 1, 1}, {-1, -1, 1}), {0, 0, 0}, kAtanHalfRoot2, 45},
        // Swirl either way counts alike: its size is what turns the water from the axis.
        SwirlRow{"swirl_both_ways", acrossTheAxis({0, 1, 1}, {0, 1, 1}), {0, 0, 0}, 45, 45},
        // On the axis itself there is no direction around it.
        SwirlRow{"on_the_axis", {{{0, 0, 0}, 1, {1, 0, 1}, 0}}, {0, 0, 0}, 45, 90},
        // About the section's own centre: seen from (1, 1) the water at (1, 0) runs radially
        // out (-y), seen from the origin it would turn about it.
        SwirlRow{"about_its_own_centre", {{{1, 0, 0}, 1, {0, -1, 1}, 0}}, {1, 1, 0}, 45, 90},
        // Backflow is no inflow, with or without swirl.
        SwirlRow{"forward_swirl_back_radial", acrossTheAxis({0, 1, 1}, {-0.5, 0, -0.5}), {0, 0, 0}, 45, 45}),
    [](const auto& info) { return std::string(info.param.name); });

// The annulus outside the guide cone's top keeps the pipe's faces beyond dd0/2 only.
struct AnnulusRow {
    const char* name;
    Vec3 centre;
    bool kept;
};

class AnnulusTest : public ::testing::TestWithParam<AnnulusRow> {};

TEST_P(AnnulusTest, KeepsThePipeOutsideTheConeTop)
{
    const Section pipe{"pump_inlet", "pump inlet section", {0, 0, 5}, {0, 0, 1}, 1.0, 0, 0.35};
    std::vector<SampledFace> faces(1);
    faces[0].centre = GetParam().centre;
    EXPECT_EQ(outsideRadius(faces, pipe, pipe.annulusInner).size(), GetParam().kept ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, AnnulusTest,
    ::testing::Values(AnnulusRow{"on_the_axis", {0, 0, 5}, false},
                      AnnulusRow{"over_the_cone_top", {0.2, 0.2, 5}, false},   // r = 0.28
                      AnnulusRow{"at_the_cone_tops_edge", {0, 0.35, 5}, false},
                      AnnulusRow{"just_outside_it", {0, -0.351, 5}, true},
                      AnnulusRow{"midway", {-0.6, 0, 5}, true},
                      AnnulusRow{"at_the_wall", {0.6, 0.8, 5}, true},       // r = 1
                      AnnulusRow{"in_the_volute", {0.8, 0.8, 5}, false}),  // r = 1.13
    [](const auto& info) { return std::string(info.param.name); });

// A wake over the cone top sets the whole section's Vu; the annulus outside it has none.
TEST(Annulus, LeavesTheWakeOut)
{
    const Section pipe{"pump_inlet", "pump inlet section", {0, 0, 0}, {0, 0, 1}, 1.0, 0, 0.35};
    std::vector<SampledFace> faces(3);
    const double speeds[] = {0.5, 2, 2};
    const Vec3 centres[] = {{0.1, 0, 0}, {0.6, 0, 0}, {-0.6, 0, 0}};
    for (int i = 0; i < 3; ++i) {
        faces[i].centre = centres[i];
        faces[i].areaVector = {0, 0, 1};
        faces[i].fields["U"] = {0, 0, speeds[i]};
        faces[i].fields["p"] = {0};
    }
    const auto whole = sectionFigures(sectionFaces(withinPipe(faces, pipe), pipe.normal), pipe.normal, pipe.point);
    const auto annulus = sectionFigures(sectionFaces(outsideRadius(faces, pipe, pipe.annulusInner), pipe.normal),
                                        pipe.normal, pipe.point);
    EXPECT_LT(whole.uniformity, 70);
    EXPECT_NEAR(annulus.uniformity, 100, 1e-12);
    EXPECT_NEAR(annulus.area, 2, 1e-12);
    EXPECT_NEAR(annulus.flow, 4, 1e-12);
}

// Faces whose centre lies beyond the pipe's radius are not the section's.
TEST(SectionCheck, KeepsTheFacesWithinThePipe)
{
    const Section pipe{"pump_inlet", "pump inlet section", {0, 0, 5}, {0, 0, 1}, 1.0};
    std::vector<SampledFace> faces(4);
    faces[0].centre = {0, 0, 5};
    faces[1].centre = {0.6, 0.8, 5};   // on the wall: r = 1
    faces[2].centre = {0.8, 0.8, 5};   // r = 1.13, in the volute
    faces[3].centre = {-5, 0, 5};
    const auto kept = withinPipe(faces, pipe);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_DOUBLE_EQ(kept[1].centre.x, 0.6);
}

// A section of two triangles over the unit square, one of them repeated (as a cut repeats a
// face at a processor boundary), and a sliver folded back over the first (as cutting planes
// fold), which its opposite area cancels.
const char* kVtk = R"(# vtk DataFile Version 2.0
time='20'
ASCII
DATASET POLYDATA
FIELD FieldData 1
TimeValue 1 1 float
20
POINTS 5 float
0 0 1 1 0 1 1 1 1
0 1 1 0.5 0.5 1
POLYGONS 4 16
3 0 1 2
3 0 2 3
3 0 2 3
3 0 4 1
CELL_DATA 4
FIELD FieldData 2
p 1 4 float
1 1 1 1
U 3 4 float
0 0 2 0 0 2 0 0 2 0 0 2
)";

TEST(VtkSurface, ReadsOnceAndCancelsFolds)
{
    std::istringstream in(kVtk);
    const auto faces = readVtkSurface(in);
    ASSERT_EQ(faces.size(), 3u);
    // The fold (0 4 1) turns the other way: its area counts against the rest.
    const SectionFigures f = sectionFigures(sectionFaces(faces, {0, 0, 1}), {0, 0, 1});
    EXPECT_NEAR(f.area, 1 - 0.25, 1e-12);
    EXPECT_NEAR(f.flow, 2 * 0.75, 1e-12);
}

class MalformedVtk : public ::testing::TestWithParam<std::pair<const char*, std::string>> {};

TEST_P(MalformedVtk, Throws)
{
    std::istringstream in(GetParam().second);
    EXPECT_THROW(readVtkSurface(in), std::runtime_error);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedVtk,
    ::testing::Values(std::make_pair("IndexOutOfRange", std::string("POINTS 3 float 0 0 0 1 0 0 0 1 0\nPOLYGONS 1 4\n3 0 1 7\n")),
                      std::make_pair("CellCountDiffers", std::string("POINTS 3 float 0 0 0 1 0 0 0 1 0\nPOLYGONS 1 4\n3 0 1 2\nCELL_DATA 2\n")),
                      std::make_pair("Truncated", std::string("POINTS 3 float 0 0 0 1 0\n")),
                      std::make_pair("ArrayTooShort", std::string("POINTS 3 float 0 0 0 1 0 0 0 1 0\nPOLYGONS 1 4\n3 0 1 2\nCELL_DATA 1\nFIELD FieldData 1\nU 3 2 float\n0 0 1\n"))),
    [](const auto& info) { return std::string(info.param.first); });

TEST(VtkSurface, SectionWithoutVelocityIsRefused)
{
    std::istringstream in("POINTS 3 float 0 0 0 1 0 0 0 1 0\nPOLYGONS 1 4\n3 0 1 2\nCELL_DATA 1\nFIELD FieldData 1\np 1 1 float\n0\n");
    EXPECT_THROW(sectionFaces(readVtkSurface(in), {0, 0, 1}), std::runtime_error);
}

// Two iterations as simpleFoam prints them, fed in pieces that split lines anywhere.
const char* kLog = R"(Time = 1

smoothSolver:  Solving for Ux, Initial residual = 1, Final residual = 0.04, No Iterations 2
GAMG:  Solving for p, Initial residual = 0.5, Final residual = 0.01, No Iterations 12
GAMG:  Solving for p, Initial residual = 0.02, Final residual = 0.001, No Iterations 12
fieldMinMax speed write:
    max(mag(U)) = 3.25 in cell 7 at location (0 0 1)

Time = 2

smoothSolver:  Solving for Ux, Initial residual = nan, Final residual = nan, No Iterations 1000


--> FOAM FATAL ERROR:
Maximum number of iterations exceeded

    From function solve
)";

TEST(SolverLog, FollowsIterationsAcrossPieces)
{
    SolverLog log;
    const std::string text = kLog;
    for (std::size_t i = 0; i < text.size(); i += 37)
        log.feed(text.substr(i, 37));
    ASSERT_EQ(log.iterations().size(), 2u);
    const Iteration& first = log.iterations()[0];
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.residuals.at("p"), 0.5);  // the first solve's, not the corrector's
    EXPECT_EQ(first.maxSpeed, 3.25);
    EXPECT_TRUE(std::isnan(log.iterations()[1].residuals.at("Ux")));
    EXPECT_NE(log.fatal().find("Maximum number of iterations exceeded"), std::string::npos);
    EXPECT_FALSE(log.ended());
}

FlowResult figuresAt(double vu, double theta, double loss)
{
    FlowResult r;
    r.sections.push_back({"cone_inlet", "", {}, loss});
    r.sections.back().figures.uniformity = vu;
    r.sections.back().figures.angle = theta;
    return r;
}

struct SettleRow {
    const char* name;
    std::map<int, FlowResult> evaluations;
    bool settled;
};

class SettleTest : public ::testing::TestWithParam<SettleRow> {};

TEST_P(SettleTest, StopsOnlyWhenEveryFigureHeld)
{
    EXPECT_EQ(settled(GetParam().evaluations, 100, 1e-3), GetParam().settled);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, SettleTest,
    ::testing::Values(
        SettleRow{"held", {{100, figuresAt(90, 80, 0.05)}, {200, figuresAt(90.05, 80.05, 0.05004)}}, true},
        SettleRow{"tooFewIterationsApart", {{140, figuresAt(90, 80, 0.05)}, {200, figuresAt(90, 80, 0.05)}}, false},
        SettleRow{"uniformityMoved", {{100, figuresAt(90, 80, 0.05)}, {200, figuresAt(90.2, 80, 0.05)}}, false},
        SettleRow{"lossMoved", {{100, figuresAt(90, 80, 0.05)}, {200, figuresAt(90, 80, 0.0501)}}, false},
        // Compared with the evaluation a whole window before, not with the one just before.
        SettleRow{"driftOverTheWindow",
                  {{100, figuresAt(90, 80, 0.05)}, {180, figuresAt(90.5, 80, 0.05)}, {200, figuresAt(90.5, 80, 0.05)}},
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

// A run's evaluations every 20 iterations from 20 to `last`: Vu, theta and the loss at each
// from the iteration, as the pump inlet section's figures swing in the refined coarse run.
std::map<int, FlowResult> series(int last, double (*vu)(int), double (*loss)(int))
{
    std::map<int, FlowResult> evaluations;
    for (int i = 20; i <= last; i += 20)
        evaluations[i] = figuresAt(vu(i), 82, loss(i));
    return evaluations;
}

// Swinging by 2 points of Vu and a tenth of the loss with a period of 200 iterations.
double swingingVu(int i) { return 69.6 + 2 * std::sin(2 * kPi * i / 200); }
double swingingLoss(int i) { return 0.075 * (1 + 0.1 * std::cos(2 * kPi * i / 200)); }
// ... and the same whose loss still falls by 1 % every 100 iterations.
double fallingLoss(int i) { return swingingLoss(i) * (1 - 0.01 * i / 100); }
double steadyVu(int) { return 81.3; }
double steadyLoss(int) { return 0.0595; }

struct SettlingRow {
    const char* name;
    std::map<int, FlowResult> evaluations;
    Settling settling;
};

class SettlingTest : public ::testing::TestWithParam<SettlingRow> {};

TEST_P(SettlingTest, SteadyOrOnAverageOrNotYet)
{
    EXPECT_EQ(settling(GetParam().evaluations, SolverSettings{}), GetParam().settling);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, SettlingTest,
    ::testing::Values(
        // Held: the last evaluation's figures are the result, as they always were.
        SettlingRow{"steady", series(200, steadyVu, steadyLoss), Settling::Steady},
        // A swing whose means over two windows of 200 iterations agree settles on them; the
        // rule on single evaluations never held it.
        SettlingRow{"swingingWithAStableMean", series(600, swingingVu, swingingLoss), Settling::OnAverage},
        // Two whole windows are needed: 380 iterations hold one and most of another.
        SettlingRow{"swingingTooFewIterations", series(380, swingingVu, swingingLoss), Settling::NotYet},
        // A mean that still drifts (by more than 0.5 % per window) is not settled, however long.
        SettlingRow{"swingingAndDrifting", series(1000, swingingVu, fallingLoss), Settling::NotYet}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Settling, TheMeansAndBandsAreOverTheWindowsEvaluations)
{
    const auto evaluations = series(600, swingingVu, swingingLoss);
    const auto mean = averaged(evaluations, 400, 600);
    ASSERT_TRUE(mean);
    EXPECT_EQ(mean->averagedFrom, 400);
    EXPECT_EQ(mean->averagedTo, 600);
    const SectionResult& s = mean->sections.at(0);
    EXPECT_NEAR(s.figures.uniformity, 69.6, 1e-9);  // a whole period
    EXPECT_NEAR(s.headLoss, 0.075, 1e-12);
    EXPECT_NEAR(s.figures.angle, 82, 1e-12);
    EXPECT_NEAR(s.uniformityBand.low, 69.6 - 2 * std::sin(2 * kPi * 0.2), 1e-9);  // at 540 and 560
    EXPECT_NEAR(s.uniformityBand.high, 69.6 + 2 * std::sin(2 * kPi * 0.2), 1e-9);  // at 440 and 460
    EXPECT_NEAR(s.lossBand.low, 0.075 * 0.9, 1e-12);   // at 500
    EXPECT_NEAR(s.lossBand.high, 0.075 * 1.1, 1e-12);  // at 600
    // One evaluation is no mean.
    EXPECT_FALSE(averaged(evaluations, 580, 600));
}

// theta of the swirl alone is a mean as well, with its own band (the window and the sheet show
// it beside theta).
TEST(Settling, TheSwirlsAngleHasItsBand)
{
    std::map<int, FlowResult> evaluations;
    const double swirl[] = {85.0, 87.5, 86.0};
    for (int i = 0; i < 3; ++i) {
        evaluations[20 * (i + 1)] = figuresAt(70, 82, 0.07);
        evaluations[20 * (i + 1)].sections[0].figures.swirlAngle = swirl[i];
    }
    const auto mean = averaged(evaluations, 0, 60);
    ASSERT_TRUE(mean);
    const SectionResult& s = mean->sections.at(0);
    EXPECT_NEAR(s.figures.swirlAngle, 86.1666666666667, 1e-9);
    ASSERT_TRUE(s.swirlAngleBand);
    EXPECT_EQ(s.swirlAngleBand->low, 85.0);
    EXPECT_EQ(s.swirlAngleBand->high, 87.5);
}

TEST(Friction, ColebrookWhiteAsMoodyReadsIt)
{
    // Smooth pipe at Re 1e5: 0.0180; commercial steel-like roughness 0.001 at Re 1e6: 0.0199.
    EXPECT_NEAR(colebrookWhite(1e5), 0.01799, 5e-5);
    EXPECT_NEAR(colebrookWhite(1e6, 0.001), 0.01992, 5e-5);
    // The power-law profile's mean over the section is the mean velocity.
    const double n = powerLawExponent(1e5);
    double mean = 0;
    const int rings = 20000;
    for (int i = 0; i < rings; ++i) {
        const double r = (i + 0.5) / rings;
        mean += powerLawProfile(r, n) * 2 * r / rings;
    }
    EXPECT_NEAR(mean, 1, 1e-4);
}

TEST(PipeCase, ClosedAndFacingOut)
{
    const FlowCase c = pipeCase(Pipe{});
    // The divergence theorem gives the inscribed polygon's volume only when every triangle
    // faces out of the fluid and the boundary is closed.
    const double polygon = 48 / 2.0 * 0.05 * 0.05 * std::sin(2 * 3.14159265358979 / 48) * Pipe{}.length;
    EXPECT_NEAR(enclosedVolume(c.surfaces), polygon, 1e-12);
}

class CaseFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path()
              / ("inlet-case-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
                 + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        flowCase = pipeCase(Pipe{});
        flowCase.mesh = meshFor(flowCase, levelCells(MeshLevel::Tiny));
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
    FlowCase flowCase;
};

TEST_F(CaseFolderTest, KeepsItsOwnCaseRefusesAnothersAndAnythingElse)
{
    EXPECT_EQ(prepareCaseFolder(flowCase, dir, "design A", false), CaseState::Written);
    std::ofstream(dir / "log.simpleFoam") << "kept\n";
    EXPECT_EQ(prepareCaseFolder(flowCase, dir, "design A", false), CaseState::Kept);
    EXPECT_TRUE(std::filesystem::exists(dir / "log.simpleFoam"));
    try {
        prepareCaseFolder(flowCase, dir, "design B", false);
        ADD_FAILURE() << "another design's case replaced unasked";
    } catch (const inlet::Failure& f) {
        EXPECT_EQ(f.kind, inlet::Failure::Kind::FlowFolderOtherCase);
        EXPECT_EQ(f.stage, inlet::FlowStage::Case);
        EXPECT_EQ(f.file, dir.string());
    }
    EXPECT_EQ(prepareCaseFolder(flowCase, dir, "design B", true), CaseState::Written);
    EXPECT_FALSE(std::filesystem::exists(dir / "log.simpleFoam"));

    // A folder of something else is never written over, forced or not.
    std::filesystem::remove(dir / "case");
    try {
        prepareCaseFolder(flowCase, dir, "design B", true);
        ADD_FAILURE() << "a folder of something else written over";
    } catch (const inlet::Failure& f) {
        EXPECT_EQ(f.kind, inlet::Failure::Kind::FlowFolderNotACase);
    }
    EXPECT_TRUE(std::filesystem::exists(dir / "system" / "controlDict"));
}

}  // namespace
