// A failed run's results file keeps the failure's facts, so that a study (another process)
// says it in its own language; one kept by another version of the program reads back as a
// failure that points at the file.

#include "FlowResult.h"

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
