// How many processes a flow computation may have: the cores and the cells each bound it, one
// process is always allowed, and what is refused says the figures.

#include "messages/Failure.h"
#include "openfoam/ProcessCount.h"

#include <gtest/gtest.h>

using namespace inlet;

namespace {

struct Row {
    const char* name;
    int cores;
    long long cells;
    int asked;
    bool allowed;
};

class ProcessBound : public ::testing::TestWithParam<Row> {};

TEST_P(ProcessBound, AllowsOnlyWhatTheCoresAndTheCellsBear)
{
    const Row& r = GetParam();
    EXPECT_EQ(r.asked <= cfd::largestProcessCount(r.cores, r.cells), r.allowed);
}

const Row kRows[] = {
    {"OneProcessOnAnyMesh", 1, 100, 1, true},
    {"OneProcessOnManyCores", 64, 100, 1, true},
    {"TwoOnTheTinyMesh", 2, 4137, 2, false},
    {"AThousandOnTwoCores", 2, 4137, 1000, false},
    {"TwoOnTheCoarseMeshAndTwoCores", 2, 60000, 2, true},
    {"ThreeOnTwoCores", 2, 60000, 3, false},
    {"SixOnSixteenCoresAndTheCoarseMesh", 16, 60000, 6, true},
    {"SevenOnSixteenCoresAndTheCoarseMesh", 16, 60000, 7, false},
    {"ExactlyTenThousandCellsEach", 8, 20000, 2, true},
    {"OneCellShortOfTwo", 8, 19999, 2, false},
    {"FortyOnTheFineMesh", 64, 400000, 40, true},
    {"FortyOneOnTheFineMesh", 64, 400000, 41, false},
    {"ABillionCells", 4, 1'000'000'000, 4, true},
};

INSTANTIATE_TEST_SUITE_P(CoresCellsAsked, ProcessBound, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProcessBound, TheCoresPresentAreAtLeastOne)
{
    EXPECT_GE(cfd::coresPresent(), 1);
}

TEST(ProcessBound, TheRefusalSaysAskedCoresCellsAndTheMost)
{
    const Failure f = cfd::tooManyProcesses(1000, 2, 4137);
    EXPECT_EQ(render(f, Language::English), "--np 1000 is too many: 2 cores here and about 4137 cells, at least "
                                            "10000 cells a process, allow at most 1");
    EXPECT_EQ(render(f, Language::Chinese), "--np 1000 过多：本机有 2 个处理器核，网格约 4137 个单元，"
                                            "每个进程至少要有 10000 个单元，最多可用 1 个进程");
    const Failure cells = cfd::tooManyProcessesForCells(8, 60000);
    EXPECT_EQ(cells.limit, 6);
    EXPECT_EQ(render(cells, Language::English),
              "--np 8 is too many: about 60000 cells, at least 10000 cells a process, allow at most 6");
}

}  // namespace
