// The boxes named beside a failed run's message: texts read otherwise than they look, and the
// sizes behind the failing quantity that hold nothing, zero or less.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "checks/FailureCauses.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace inlet;

namespace {

const NumberLocale kFullStop{".", ","};

}  // namespace

TEST(FailureCauses, NameTheBoxBehindAFailedRun)
{
    struct Row {
        const char* name;
        std::vector<std::pair<Box, std::string>> typed;  // over a fresh window with hk 2000
        std::string message;                              // the run's own, unchanged; empty: none
        std::vector<std::string> causes;                  // each a part of one line, in order
    };
    const std::string fullWidth2000 = "\xEF\xBC\x92\xEF\xBC\x90\xEF\xBC\x90\xEF\xBC\x90";
    const Row rows[] = {
        {"full-width hk", {{Box::Text21, fullWidth2000}}, "除数为零：计算φ=30°时蜗壳宽度a30时出错",
         {"hk（Text21）的文本“" + fullWidth2000 + "”按 0 计算：全角数字未读入"}},
        {"empty hk", {{Box::Text21, ""}}, "除数为零：计算φ=30°时蜗壳宽度a30时出错",
         {"蜗壳断面高度hk 为空，按 0 计算"}},
        {"blank hk", {{Box::Text21, "  "}}, "除数为零：计算φ=30°时蜗壳宽度a30时出错",
         {"蜗壳断面高度hk 为空，按 0 计算"}},
        {"D0 zero", {{Box::Text3, "0"}}, "无效的过程调用或参数：计算φ=0°时蜗壳宽度a0时出错",
         {"锥管进口直径D0 为 0"}},
        {"a comma in D0", {{Box::Text3, "0,5"}}, "无效的过程调用或参数：计算φ=0°时蜗壳宽度a0时出错",
         {"D0（Text3）的文本“0,5”按 0 计算：逗号结束了数字"}},
        {"a comma in H0 beside an empty hk", {{Box::Text9, "7,00"}, {Box::Text21, ""}},
         "除数为零：计算φ=30°时蜗壳宽度a30时出错",
         {"H0（Text9）的文本“7,00”按 7 计算：逗号结束了数字", "蜗壳断面高度hk 为空，按 0 计算"}},
        {"a unit in hk", {{Box::Text21, "cm"}}, "除数为零：计算φ=30°时蜗壳宽度a30时出错",
         {"hk（Text21）的文本“cm”按 0 计算：文本中没有数字"}},
        // A negative hk completes; a failure at a30 said of it all the same.
        {"negative hk", {{Box::Text21, "-2000"}}, "",
         {"蜗壳断面高度hk 为负数 -2000"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BoxTexts boxes;
        boxes.type(Box::Text21, "2000");
        for (const auto& [box, text] : row.typed)
            boxes.type(box, text);
        Failure failure{.kind = Failure::Kind::DivisionByZero, .quantity = Quantity::a30};
        try {
            runCalculation(boxes, kFullStop);
            EXPECT_TRUE(row.message.empty()) << "the run completed";
        } catch (const Failure& f) {
            failure = f;
        }
        if (!row.message.empty())
            EXPECT_EQ(render(failure, Language::Chinese), row.message);
        const std::vector<Bilingual> causes = failureCauses(failure, boxes, kFullStop);
        ASSERT_EQ(causes.size(), row.causes.size());
        for (std::size_t i = 0; i < causes.size(); ++i) {
            EXPECT_NE(causes[i].chinese.find(row.causes[i]), std::string::npos) << causes[i].chinese;
            EXPECT_FALSE(causes[i].english.empty());
        }
    }
}

TEST(FailureCauses, NoneWhereTheSizesLookSound)
{
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    Failure failure{.kind = Failure::Kind::DivisionByZero, .quantity = Quantity::a30};
    EXPECT_TRUE(failureCauses(failure, boxes, kFullStop).empty());
    // Q and Ds are read by the checks alone: a run never fails for them.
    boxes.type(Box::Text12, "\xEF\xBC\x91\xEF\xBC\x95");
    EXPECT_TRUE(failureCauses(failure, boxes, kFullStop).empty());
    // θ of 0° is a cylinder, not a fault.
    boxes.type(Box::Text4, "0");
    EXPECT_TRUE(failureCauses(failure, boxes, kFullStop).empty());
}
