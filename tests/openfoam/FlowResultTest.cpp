// A failed run's results file keeps the failure's facts, so that a study (another process)
// says it in its own language; one kept by another version of the program reads back as a
// failure that points at the file.

#include "openfoam/FlowResult.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace inlet;

namespace {

class FlowResultFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() / ("inlet-results-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST_F(FlowResultFile, KeepsTheFailuresFactsExact)
{
    cfd::FlowResult written;
    written.status = cfd::RunStatus::Failed;
    Failure f{.kind = Failure::Kind::FlowProgramFailed, .item = "snappyHexMesh", .other = "log.snappyHexMesh",
              .detail = "  leading blanks, a \\ backslash\nand a line feed"};
    f.number = 137;
    f.stage = FlowStage::Mesh;
    written.failure = f;
    cfd::writeResult(written, dir / "results");
    const cfd::FlowResult read = cfd::readResult(dir / "results");
    ASSERT_TRUE(read.failure);
    EXPECT_EQ(read.status, cfd::RunStatus::Failed);
    EXPECT_EQ(read.failure->detail, f.detail);
    EXPECT_EQ(read.failure->number, 137);
    EXPECT_EQ(read.failure->stage, FlowStage::Mesh);
    for (const Language language : {Language::English, Language::Chinese})
        EXPECT_EQ(render(*read.failure, language), render(f, language));
}

TEST_F(FlowResultFile, OneOfAnotherVersionPointsAtTheFile)
{
    std::ofstream(dir / "results") << "status failed\nstage meshing\nreason snappyHexMesh failed with status 1\n";
    const cfd::FlowResult read = cfd::readResult(dir / "results");
    ASSERT_TRUE(read.failure);
    EXPECT_EQ(read.failure->kind, Failure::Kind::FlowEarlierFailure);
    EXPECT_EQ(render(*read.failure, Language::English),
              "meshing: the last run in the case folder '" + dir.string() + "' failed (its file 'results' says why)");
}

// Each section's figures read back as written, theta of the swirl alone too; a record written
// before that was kept reads it as none and keeps its caption.
TEST_F(FlowResultFile, KeepsTheSectionsFigures)
{
    cfd::FlowResult written;
    written.status = cfd::RunStatus::Settled;
    cfd::SectionFigures f{.area = 3.8, .flow = 15.01, .meanAxial = 3.95, .uniformity = 81.3, .angle = 83.1,
                          .totalHead = 0.5, .faces = 1234, .backflowArea = 0.056, .backflowFlow = 0.012, .swirlAngle = 86.25};
    written.sections.push_back({"pump_inlet_annulus", "pump inlet section outside the guide cone's top", f, 0.0595});
    cfd::writeResult(written, dir / "results");
    const cfd::FlowResult read = cfd::readResult(dir / "results");
    ASSERT_EQ(read.sections.size(), 1u);
    const cfd::SectionResult& s = read.sections[0];
    EXPECT_EQ(s.name, "pump_inlet_annulus");
    EXPECT_EQ(s.caption, "pump inlet section outside the guide cone's top");
    EXPECT_EQ(s.figures.swirlAngle, 86.25);
    EXPECT_EQ(s.figures.backflowFlow, 0.012);
    EXPECT_EQ(s.figures.faces, 1234);
    EXPECT_EQ(s.headLoss, 0.0595);

    std::ofstream(dir / "results") << "status settled\nsection cone_inlet 0.05 3.7 15 4 64.9 81.3 0.4 900 0.056 0.01 cone inlet\n";
    const cfd::FlowResult earlier = cfd::readResult(dir / "results");
    ASSERT_EQ(earlier.sections.size(), 1u);
    EXPECT_EQ(earlier.sections[0].figures.backflowArea, 0.056);
    EXPECT_EQ(earlier.sections[0].figures.swirlAngle, 0);
    EXPECT_EQ(earlier.sections[0].caption, "cone inlet");
}

TEST_F(FlowResultFile, KeepsTheMeansWindowAndBandsAndTheMeshChecked)
{
    cfd::FlowResult written;
    written.status = cfd::RunStatus::Settled;
    written.nonOrthogonality = 0, written.skewness = 1.7489556e-13, written.meshChecked = true;
    written.averagedFrom = 800, written.averagedTo = 1000;
    written.sections.push_back({"pump_inlet", "pump inlet section", {}, 0.0761});
    written.sections[0].uniformityBand = {64.11, 70.06};
    written.sections[0].angleBand = {81.68, 82.44};
    written.sections[0].lossBand = {0.0683, 0.0882};
    cfd::writeResult(written, dir / "results");
    const cfd::FlowResult read = cfd::readResult(dir / "results");
    EXPECT_TRUE(read.meshChecked);  // the step's orthogonal blocks: 0 is a figure
    EXPECT_EQ(read.averagedFrom, 800);
    EXPECT_EQ(read.averagedTo, 1000);
    ASSERT_EQ(read.sections.size(), 1u);
    EXPECT_EQ(read.sections[0].uniformityBand.low, 64.11);
    EXPECT_EQ(read.sections[0].uniformityBand.high, 70.06);
    EXPECT_EQ(read.sections[0].angleBand.high, 82.44);
    EXPECT_EQ(read.sections[0].lossBand.low, 0.0683);
    EXPECT_FALSE(read.sections[0].swirlAngleBand) << "none written, none read";

    // theta_s's band, where it is kept, last on the band line.
    written.sections[0].swirlAngleBand = cfd::Band{84.25, 86.5};
    cfd::writeResult(written, dir / "results");
    const cfd::FlowResult withSwirl = cfd::readResult(dir / "results");
    ASSERT_EQ(withSwirl.sections.size(), 1u);
    ASSERT_TRUE(withSwirl.sections[0].swirlAngleBand);
    EXPECT_EQ(withSwirl.sections[0].swirlAngleBand->low, 84.25);
    EXPECT_EQ(withSwirl.sections[0].swirlAngleBand->high, 86.5);
    EXPECT_EQ(withSwirl.sections[0].lossBand.high, 0.0882);

    std::ofstream(dir / "results") << "status settled\nmeshquality 0 0\n";  // kept before checkMesh ran
    EXPECT_FALSE(cfd::readResult(dir / "results").meshChecked);
}

TEST_F(FlowResultFile, NoneThereIsAFailureNamingIt)
{
    try {
        cfd::readResult(dir / "results");
        ADD_FAILURE() << "read a file that is not there";
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind, Failure::Kind::CannotOpen);
        EXPECT_EQ(f.file, (dir / "results").string());
    }
}

}  // namespace
