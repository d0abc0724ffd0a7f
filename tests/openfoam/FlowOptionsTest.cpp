// inlet-calc's flow options: what is refused before anything runs, and a design without a
// solid, which runs nothing and says why.

#include "cli/CommandLine.h"
#include "InletFeatures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using namespace inlet;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args)
{
    std::istringstream in;
    std::ostringstream out, err;
    const int status = runCommandLine(args, in, out, err, NumberLocale{".", ","});
    return {status, out.str(), err.str()};
}

struct UsageRow {
    const char* name;
    std::vector<std::string> args;
    const char* message;
};

class FlowUsage : public ::testing::TestWithParam<UsageRow> {};

TEST_P(FlowUsage, IsRefusedWithItsReason)
{
    const Outcome r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

const UsageRow kUsageRows[] = {
    {"RunWithoutFolder", {"--hk", "2000", "--run"}, "--run goes with --cfd DIR"},
    {"DesignFlowOfABatch", {"--csv", "--cfd", "d"}, "takes --cfd-study DIR"},
    {"StudyWithoutBatch", {"--cfd-study", "d"}, "goes with --csv FILE"},
    {"NoProcesses", {"--cfd", "d", "--np", "0"}, "from 1 to 1024, not '0'"},
    {"EmptyFolder", {"--cfd", ""}, "needs a folder"},
    {"EmptyStudyFolder", {"--csv", "--cfd-study", ""}, "needs a folder"},
    // 4,000 cells are not enough for two processes, whatever the cores.
    {"TwoProcessesOnTheTinyMesh", {"--cfd", "d", "--mesh", "tiny", "--np", "2"}, "--np 2 is too many"},
    {"ProcessesBeyondTheCells", {"--cfd-validate", "d", "--cells", "25000", "--np", "3"}, "allow at most"},
    {"AThousandProcesses", {"--cfd", "d", "--np", "1000"}, "--np 1000 is too many"},
    {"ProcessesNotANumber", {"--cfd", "d", "--np", "2x"}, "not '2x'"},
    {"UnknownLevel", {"--cfd", "d", "--mesh", "huge"}, "coarse, medium, fine"},
    {"TwoFolders", {"--cfd", "d", "--cfd-validate", "e"}, "give one of"},
    {"FolderMissing", {"--cfd"}, "needs a folder"},
    // The step is a validation case, no design: a design's input is refused, as with the pipe.
    {"StepWithADesign", {"--cfd-validate", "step", "d", "--hk", "2000"}, "--hk and --cfd-validate cannot be combined"},
    {"StepWithAFile", {"--cfd-validate", "step", "d", "--save", "x.inlet"}, "--save and --cfd-validate cannot be combined"},
    {"StepAndDesignFlow", {"--cfd-validate", "step", "d", "--cfd", "e"}, "give one of"},
    // A mesh study's finest level has two below it; the levels set its cells; it is one design's.
    {"MeshStudyFromCoarse", {"--mesh-study", "d", "--mesh", "coarse"}, "medium, fine"},
    {"MeshStudyWithCells", {"--mesh-study", "d", "--cells", "5000"}, "--cells and --mesh-study cannot be combined"},
    {"MeshStudyOfABatch", {"--csv", "--mesh-study", "d"}, "--mesh-study"},
    {"MeshStudyAndDesignFlow", {"--cfd", "d", "--mesh-study", "e"}, "--mesh-study"},
#if INLET_HAS_SOLID
    // The passage's length and the outlet's extension are the solid's options, and the
    // passage's flow case's (--outlet-extension was once refused with --cfd); the walls'
    // roughness and the hub are the flow case's alone.
    {"LengthWithoutPassage", {"--hk", "2000", "--length", "9000"}, "--length goes with"},
    {"OutletExtensionWithValidation", {"--cfd-validate", "d", "--outlet-extension", "500"}, "--outlet-extension goes with"},
    {"RoughnessWithoutPassage", {"--hk", "2000", "--roughness", "2"}, "--roughness goes with"},
    {"HubWithValidation", {"--cfd-validate", "d", "--hub-diameter", "500"}, "--hub-diameter goes with"},
#endif
};

INSTANTIATE_TEST_SUITE_P(
    Options, FlowUsage, ::testing::ValuesIn(kUsageRows),
    [](const auto& info) { return std::string(info.param.name); });

// Which validation case --cfd-validate writes: the word before the folder names it; a lone
// word is the folder, as before the step was there.
struct ValidationRow {
    const char* name;
    std::vector<std::string> args;  // run in a fresh folder of their own
    const char* folder;             // where the case is written, in that folder
    const char* signature;          // what its `case` line begins with
};

class ValidationCase : public ::testing::TestWithParam<ValidationRow> {};

TEST_P(ValidationCase, IsTheOneNamed)
{
    const auto dir = std::filesystem::temp_directory_path() / ("inlet-validate-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir);
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    const Outcome r = run(GetParam().args);
    std::filesystem::current_path(before);
    EXPECT_EQ(r.status, 0) << r.err;
    std::ifstream signature(dir / GetParam().folder / "case");
    std::string line;
    std::getline(signature, line);
    EXPECT_EQ(line.rfind(GetParam().signature, 0), 0u) << line;
    std::filesystem::remove_all(dir);
}

const ValidationRow kValidationRows[] = {
    {"PipeWithoutAWord", {"--cfd-validate", "p", "--mesh", "tiny"}, "p", "validation pipe"},
    {"PipeNamed", {"--cfd-validate", "pipe", "p", "--mesh", "tiny"}, "p", "validation pipe"},
    {"StepNamed", {"--cfd-validate", "step", "s", "--mesh", "tiny"}, "s", "validation step | mesh tiny 4 cells"},
    {"StepNamedLast", {"--mesh", "tiny", "--cfd-validate", "step", "s"}, "s", "validation step"},
    {"AFolderCalledStep", {"--cfd-validate", "step", "--mesh", "tiny"}, "step", "validation pipe"},
    {"AFolderCalledPipe", {"--cfd-validate", "pipe"}, "pipe", "validation pipe"},
};

INSTANTIATE_TEST_SUITE_P(
    Options, ValidationCase, ::testing::ValuesIn(kValidationRows),
    [](const auto& info) { return std::string(info.param.name); });

#if INLET_HAS_SOLID
// A case folder an earlier version wrote is another case, refused without --force, never
// resumed: one whose sections were cutting planes (its mesh has no face zones for them, the
// solver would fail on it), or one whose prism layers were sized by the core's cells (its mesh
// is not the one the figures are now computed on).
struct EarlierCaseRow {
    const char* name;
    const char* marker;  // what the earlier version's case line lacked
};

const EarlierCaseRow kEarlierCaseRows[] = {
    {"OfCuttingPlanes", " sections=faces"},
    {"OfLayersSizedByTheCore", " layers=thin"},
};

class EarlierCase : public ::testing::TestWithParam<EarlierCaseRow> {};

TEST_P(EarlierCase, IsAnotherCase)
{
    const auto dir = std::filesystem::temp_directory_path() / ("inlet-earlier-" + std::to_string(std::random_device{}()));
    std::filesystem::remove_all(dir);
    ASSERT_EQ(run({"--hk", "2000", "--cfd", dir.string(), "--mesh", "tiny"}).status, 0);
    std::string line;
    std::getline(std::ifstream(dir / "case"), line);
    const std::string marker = GetParam().marker;
    const auto at = line.find(marker);
    ASSERT_NE(at, std::string::npos) << line;
    std::ofstream(dir / "case") << line.erase(at, marker.size()) << "\n";
    const Outcome again = run({"--hk", "2000", "--cfd", dir.string(), "--mesh", "tiny"});
    EXPECT_EQ(again.status, 1) << again.err;
    EXPECT_NE(again.err.find("another"), std::string::npos) << again.err;
    EXPECT_EQ(run({"--hk", "2000", "--cfd", dir.string(), "--mesh", "tiny", "--force"}).status, 0);
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(FlowCase, EarlierCase, ::testing::ValuesIn(kEarlierCaseRows),
                         [](const auto& info) { return std::string(info.param.name); });
#endif

// hk below bp: the passage has no section shape, so no solid and no case.
TEST(FlowWithoutSolid, RunsNothingAndSaysWhy)
{
    const auto dir = std::filesystem::temp_directory_path() / ("inlet-nosolid-" + std::to_string(std::random_device{}()));
    std::filesystem::remove_all(dir);
    const Outcome r = run({"--hk", "1300", "--cfd", dir.string(), "--run"});
    EXPECT_EQ(r.status, 1);
    // The status is a result; why it failed is a message, on standard error.
    EXPECT_NE(r.out.find("flow\tstatus\tfailed\n"), std::string::npos) << r.out;
    // The design's own reason where the build has the solid; else that the build cannot model it.
    EXPECT_TRUE(r.err.find("inlet-calc: writing the case: no solid: ") != std::string::npos
                || r.err.find("inlet-calc: writing the case: this build cannot model the passage as a solid")
                       != std::string::npos)
        << r.err;
    EXPECT_EQ(r.out.find("Vu"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "system"));
    std::filesystem::remove_all(dir);
}

#if INLET_HAS_SOLID
// --length reaches the flow's case as it reaches the solid: the passage inlet lies that far from
// the pump axis, and the case says so.
TEST(FlowCase, TakesThePassageLength)
{
    const auto dir = std::filesystem::temp_directory_path() / ("inlet-length-" + std::to_string(std::random_device{}()));
    std::filesystem::remove_all(dir);
    const Outcome r = run({"--hk", "2000", "--cfd", dir.string(), "--mesh", "tiny", "--length", "9000"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::ifstream stl(dir / "constant" / "triSurface" / "boundary.stl");
    double lowest = 0;
    for (std::string word; stl >> word;)
        if (word == "vertex") {
            double x, y, z;
            stl >> x >> y >> z;
            lowest = std::min(lowest, y);
        }
    EXPECT_NEAR(lowest, -9.0, 1e-6);
    std::ifstream signature(dir / "case");
    std::string line;
    std::getline(signature, line);
    EXPECT_NE(line.find("length=9000 mm"), std::string::npos) << line;
    std::filesystem::remove_all(dir);
}
#endif

}  // namespace
