// The flow's failures said in Chinese and in English: where the computation stopped and what
// failed, the same facts in both, and each line in one language.

#include "messages/Failure.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace inlet;

namespace {

using Kind = Failure::Kind;

Failure at(FlowStage stage, Failure f)
{
    f.stage = stage;
    return f;
}

struct Row {
    const char* name;
    Failure failure;
    const char* english;
    const char* chinese;
};

class FlowFailureText : public ::testing::TestWithParam<Row> {};

TEST_P(FlowFailureText, ReadsInEachLanguage)
{
    EXPECT_EQ(render(GetParam().failure, Language::English), GetParam().english);
    EXPECT_EQ(render(GetParam().failure, Language::Chinese), GetParam().chinese);
}

const Row kRows[] = {
    {"FolderIsADevice", at(FlowStage::Case, {.kind = Kind::FlowFolderNotAFolder, .file = "/dev/null"}),
     "writing the case: the case folder '/dev/null' is not a folder", "写入算例：算例文件夹“/dev/null”不是文件夹"},
    {"AnotherCase", at(FlowStage::Case, {.kind = Kind::FlowFolderOtherCase, .file = "d"}),
     "writing the case: the case folder 'd' holds the case of another design or mesh (its file 'case' says which); "
     "give --force to replace it",
     "写入算例：算例文件夹“d”中是另一设计或网格的算例（见其中的文件 case）：加 --force 可替换它"},
    {"NoOpenFoam", at(FlowStage::Mesh, {.kind = Kind::FlowNoOpenFoam, .item = "blockMesh"}),
     "meshing: OpenFOAM is not installed (blockMesh is not on PATH); on Debian or Ubuntu: sudo apt-get install "
     "openfoam openmpi-bin",
     "划分网格：未安装 OpenFOAM（PATH 中没有 blockMesh）；在 Debian 或 Ubuntu 上：sudo apt-get install openfoam "
     "openmpi-bin"},
    {"MesherFailed",
     at(FlowStage::Mesh, [] {
         Failure f{.kind = Kind::FlowProgramFailed, .item = "snappyHexMesh", .other = "log.snappyHexMesh", .detail = "End"};
         f.number = 1;
         return f;
     }()),
     "meshing: snappyHexMesh failed with status 1 (log.snappyHexMesh: End)",
     "划分网格：snappyHexMesh 失败，退出状态 1（log.snappyHexMesh 的末尾：End）"},
    {"SolverKilled",
     at(FlowStage::Solve, [] {
         Failure f{.kind = Kind::FlowProgramKilled, .item = "simpleFoam", .other = "log.simpleFoam", .detail = "Time = 9"};
         f.number = 9;
         return f;
     }()),
     "solving: simpleFoam was killed by signal 9 (log.simpleFoam: Time = 9)",
     "求解：simpleFoam 被信号 9 终止（log.simpleFoam 的末尾：Time = 9）"},
    {"Diverged", at(FlowStage::Solve, {.kind = Kind::FlowResidualNotFinite, .item = "Ux", .other = "log.simpleFoam"}),
     "solving: the solution diverged: the residual of Ux is not finite (log.simpleFoam)",
     "求解：计算发散：Ux 的残差不是有限数（见 log.simpleFoam）"},
    {"NoYPlus", at(FlowStage::Evaluate, {.kind = Kind::FlowNoWallYPlus}), "evaluating: no wall y+ was sampled",
     "计算评价指标：壁面上没有取到 y+"},
    {"ResultsNotWritten", at(FlowStage::Evaluate, systemFailure(Kind::CannotWrite, "d/results", ENOSPC)),
     "evaluating: cannot write 'd/results': No space left on device", "计算评价指标：无法写入“d/results”：磁盘空间不足"},
    {"DesignFlow", at(FlowStage::Case, {.kind = Kind::FlowDesignFlowNotPositive, .other = "-5"}),
     "writing the case: the design flow Q '-5' is not a positive number of m3/s",
     "写入算例：设计流量 Q“-5”不是以 m³/s 计的正数"},
    {"NoStageOutsideTheFlow", {.kind = Kind::FlowNoResults, .file = "s/design-2"},
     "no results in 's/design-2': the job did not run to its end", "“s/design-2”中没有计算结果：作业没有运行到最后"},
};

INSTANTIATE_TEST_SUITE_P(Kinds, FlowFailureText, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// A line in one language: the Chinese holds no English word of the program's own, the
// English no Chinese character.
bool hasChinese(const std::string& text)
{
    return text.find("\xE4") != std::string::npos || text.find("\xE5") != std::string::npos
           || text.find("\xE6") != std::string::npos || text.find("\xE7") != std::string::npos
           || text.find("\xE8") != std::string::npos || text.find("\xE9") != std::string::npos;
}

TEST(FlowFailureText, EveryFlowKindAtEveryStageStatesTheSameFactsInOneLanguage)
{
    for (int k = static_cast<int>(Kind::FlowFolderNotAFolder); k <= static_cast<int>(Kind::FlowSectionUnbounded);
         ++k) {
        for (const FlowStage stage : {FlowStage::Case, FlowStage::Mesh, FlowStage::Decompose, FlowStage::Solve,
                                      FlowStage::Evaluate}) {
            Failure f{.kind = static_cast<Kind>(k), .file = "FILE-1", .item = "ITEM-2", .other = "3003",
                      .detail = "4004"};
            f.number = 5005;
            f.limit = 6006;
            f.error = ENOENT;
            f.stage = stage;
            const std::string english = render(f, Language::English);
            const std::string chinese = render(f, Language::Chinese);
            SCOPED_TRACE(english + " | " + chinese);
            for (const char* fact : {"FILE-1", "ITEM-2", "3003", "4004", "5005", "6006"})
                EXPECT_EQ(english.find(fact) == std::string::npos, chinese.find(fact) == std::string::npos) << fact;
            EXPECT_TRUE(english.starts_with(flowStageName(stage, Language::English) + ": "));
            EXPECT_TRUE(chinese.starts_with(flowStageName(stage, Language::Chinese) + "："));
            EXPECT_FALSE(hasChinese(english));
            EXPECT_TRUE(hasChinese(chinese));
        }
    }
}

}  // namespace
