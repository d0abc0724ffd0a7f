// Where the flow behind the step reattaches: the end of the last stretch of reversed wall
// shear, between the two points around the sign change.

#include "openfoam/SectionCheck.h"
#include "openfoam/StepCase.h"
#include "openfoam/StepFigures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace inlet::cfd;

namespace {

struct ReattachmentRow {
    const char* name;
    std::vector<WallShear> floor;
    std::optional<double> expected;
};

class Reattachment : public ::testing::TestWithParam<ReattachmentRow> {};

TEST_P(Reattachment, EndsTheLastReversal)
{
    const auto x = reattachment(GetParam().floor);
    ASSERT_EQ(x.has_value(), GetParam().expected.has_value());
    if (x) {
        EXPECT_NEAR(*x, *GetParam().expected, 1e-12);
    }
}

const ReattachmentRow kRows[] = {
    {"Attached", {{0, 1}, {1, 2}, {2, 3}}, std::nullopt},
    {"ReversedToTheEnd", {{0, 1}, {1, -2}, {2, -3}}, std::nullopt},
    {"Empty", {}, std::nullopt},
    {"HalfwayBetweenPoints", {{0, -1}, {1, -1}, {2, 1}, {3, 2}}, 1.5},
    {"NearerTheSmallerShear", {{0, -3}, {1, 1}}, 0.75},
    // The corner's eddy turns the shear forward at the step; the main bubble's end counts.
    {"AfterTheCornerEddy", {{0.1, 0.2}, {0.5, -1}, {4, -2}, {6, -1}, {7, 1}, {20, 3}}, 6.5},
    {"OnAPoint", {{0, -1}, {1, 0}, {2, 1}}, 1.0},
};

INSTANTIATE_TEST_SUITE_P(
    Step, Reattachment, ::testing::ValuesIn(kRows), [](const auto& info) { return std::string(info.param.name); });

struct LevelRow {
    const char* name;
    int cells;
    int across;
};

class StepLevel : public ::testing::TestWithParam<LevelRow> {};

TEST_P(StepLevel, SetsTheCellsAcrossTheStep) { EXPECT_EQ(stepCellsAcross(GetParam().cells), GetParam().across); }

const LevelRow kLevels[] = {
    {"Tiny", 4000, 4}, {"Coarse", 60000, 15}, {"Medium", 150000, 24}, {"Fine", 400000, 40}, {"Fewest", 1000, 4},
};

INSTANTIATE_TEST_SUITE_P(
    Step, StepLevel, ::testing::ValuesIn(kLevels), [](const auto& info) { return std::string(info.param.name); });

// The case's sections span the channel: before the step 8 h high, behind it 9 h, one cell deep.
TEST(StepCase, SectionsSpanTheChannel)
{
    const Step step;
    const FlowCase c = stepCase(step, 4);
    ASSERT_EQ(c.sections.size(), step.stations.size());
    const double h = step.height;
    for (const Section& s : c.sections) {
        const double height = s.point.x < 0 ? 8 * h : 9 * h;
        EXPECT_NEAR(s.area, height * h, 1e-12) << s.name;
        EXPECT_GE(s.radius, std::hypot(height / 2, h / 2)) << s.name;
    }
    EXPECT_NEAR(inletVelocity(c), step.velocity, 1e-9);
    EXPECT_NE(c.blockMesh.find("frontAndBack { type empty;"), std::string::npos);
}

// A channel's section is held to its own area, not to the circle around it.
TEST(StepCase, SectionsAreCheckedAgainstTheChannel)
{
    const Step step;
    const FlowCase c = stepCase(step, 4);
    const Section& behind = c.sections.back();
    SectionFigures figures;
    figures.area = behind.area;
    figures.flow = c.flow;
    figures.uniformity = 80;
    EXPECT_FALSE(checkSection(figures, behind, c.flow).has_value());
    figures.area = behind.area * 1.05;
    const auto wrong = checkSection(figures, behind, c.flow);
    ASSERT_TRUE(wrong.has_value());
    EXPECT_EQ(wrong->kind, inlet::Failure::Kind::FlowSectionArea);
}

}  // namespace
