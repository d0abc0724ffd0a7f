// checkMesh's figures read from its log as OpenFOAM writes it, and the limits the figures need.

#include "openfoam/MeshCheck.h"
#include "openfoam/PipeCase.h"

#include <cmath>

#include <gtest/gtest.h>

using namespace inlet::cfd;

namespace {

struct Row {
    const char* name;
    const char* log;
    bool read;
    MeshQuality quality;
    bool fit;
};

// The lines as checkMesh (OpenFOAM v1912) writes them, passing and failing its own checks.
const char* const kPassing = "Mesh stats\n    points:           131604\n    internal points:  0\n"
                             "    cells:            122152\n    faces:            375457\n"
                             "Checking geometry...\n    Mesh non-orthogonality Max: 54.91198577 average: 5.32\n"
                             "    Non-orthogonality check OK.\n    Max skewness = 1.906788086 OK.\n\nMesh OK.\n";
const char* const kAtTheOldLimit = "    cells:            122152\n"
                                   "    Mesh non-orthogonality Max: 64.98682102 average: 5.322513074\n"
                                   "    Max skewness = 3.698777653 OK.\n\nMesh OK.\n";
const char* const kSkewFaces = "    cells:            4535\n    Mesh non-orthogonality Max: 41 average: 7\n"
                               " ***Max skewness = 4.51, 12 highly skew faces detected which may impair the "
                               "quality of the results\n\nFailed 1 mesh checks.\n";
const char* const kNoGeometry = "    cells:            4535\n    Mesh non-orthogonality Max: 41 average: 7\n";

const Row kRows[] = {
    {"WellWithin", kPassing, true, {122152, 54.91198577, 1.906788086}, true},
    {"OverBothAsTheOldMeshWas", kAtTheOldLimit, true, {122152, 64.98682102, 3.698777653}, false},
    {"SkewFacesItFlags", kSkewFaces, true, {4535, 41, 4.51}, false},
    {"NoSkewnessWritten", kNoGeometry, false, {}, false},
    {"Empty", "", false, {}, false},
};

class MeshCheck : public ::testing::TestWithParam<Row> {};

TEST_P(MeshCheck, ReadsTheLargestFigures)
{
    const Row& row = GetParam();
    const auto quality = meshQuality(row.log);
    ASSERT_EQ(quality.has_value(), row.read);
    if (!quality)
        return;
    EXPECT_EQ(quality->cells, row.quality.cells);
    EXPECT_DOUBLE_EQ(quality->nonOrthogonality, row.quality.nonOrthogonality);
    EXPECT_DOUBLE_EQ(quality->skewness, row.quality.skewness);
    EXPECT_EQ(fitForFigures(*quality), row.fit);
}

INSTANTIATE_TEST_SUITE_P(Logs, MeshCheck, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct LimitRow {
    const char* name;
    double nonOrthogonality, skewness;
    bool fit;
};

const LimitRow kLimits[] = {
    {"AtBothLimits", 60, 3.5, true},
    {"NonOrthogonalityJustOver", 60.01, 1, false},
    {"SkewnessJustOver", 30, 3.51, false},
};

class MeshLimits : public ::testing::TestWithParam<LimitRow> {};

TEST_P(MeshLimits, HoldAtTheirValues)
{
    EXPECT_EQ(fitForFigures({1000, GetParam().nonOrthogonality, GetParam().skewness}), GetParam().fit);
}

INSTANTIATE_TEST_SUITE_P(Limits, MeshLimits, ::testing::ValuesIn(kLimits),
                         [](const auto& info) { return std::string(info.param.name); });

// The layers as meshFor sizes them: growing by at most 1.2, the last within 1.5 times of the
// core's cell, the first where that arithmetic puts it; the tiny mesh alone left unrefined.
struct LayerRow {
    const char* name;
    int cells;
    bool refined;
};

const LayerRow kLayerRows[] = {
    {"TinyUnrefined", 4000, false},
    {"CoarseRefined", 60000, true},
    {"FineRefined", 400000, true},
};

class LayerSizes : public ::testing::TestWithParam<LayerRow> {};

// Thin layers from the wall functions' first cell (y+ near 95), growing while the last stays
// within its share of the background's cell: with layers sized by the core's cells instead the
// coarse passage's steady solution never settled (docs/flow.md).
TEST_P(LayerSizes, ThinFromTheWallsFirstCell)
{
    const MeshSettings m = meshFor(pipeCase(Pipe{}), GetParam().cells);
    EXPECT_EQ(m.expansion, kLayerExpansion);
    EXPECT_GE(m.layers, 1);
    EXPECT_LE(m.layers, kMostLayers);
    EXPECT_GT(m.firstLayer, 0);
    EXPECT_LE(m.firstLayer, kLastLayerShare * m.cellSize);
    EXPECT_LE(m.firstLayer * std::pow(m.expansion, m.layers - 1), kLastLayerShare * m.cellSize);
    // As many as fit: one more would pass the share, or there are kMostLayers.
    EXPECT_TRUE(m.layers == kMostLayers || m.firstLayer * std::pow(m.expansion, m.layers) >= kLastLayerShare * m.cellSize);
    EXPECT_EQ(m.refined, GetParam().refined);
    EXPECT_EQ(m.featureLevel > 0, GetParam().refined);
}

INSTANTIATE_TEST_SUITE_P(Levels, LayerSizes, ::testing::ValuesIn(kLayerRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
