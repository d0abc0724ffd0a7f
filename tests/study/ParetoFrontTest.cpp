#include "study/ParetoFront.h"

#include <gtest/gtest.h>

#include <string>

namespace inlet {
namespace {

struct FrontCase {
    std::string name;
    std::vector<ParetoPoint> points;
    std::vector<std::size_t> front;
};

class ParetoFrontTest : public testing::TestWithParam<FrontCase> {};

TEST_P(ParetoFrontTest, KeepsThePointsNoOtherBeats)
{
    EXPECT_EQ(paretoFront(GetParam().points), GetParam().front);
}

INSTANTIATE_TEST_SUITE_P(
    Points, ParetoFrontTest,
    testing::Values(
        FrontCase{"Empty", {}, {}},
        FrontCase{"OneBeatsAll", {{2.0, 2.0}, {1.0, 1.0}, {3.0, 1.5}}, {1}},
        FrontCase{"TradeOff", {{1.0, 3.0}, {2.0, 2.0}, {3.0, 1.0}, {2.5, 2.5}}, {0, 1, 2}},
        FrontCase{"SameXKeepsLowerY", {{1.0, 2.0}, {1.0, 1.0}}, {1}},
        FrontCase{"EqualPointsKeepTheFirst", {{1.0, 1.0}, {1.0, 1.0}}, {0}},
        FrontCase{"WithoutAFigureNeverOnIt", {{std::nullopt, 0.0}, {0.0, std::nullopt}, {5.0, 5.0}}, {2}}),
    [](const testing::TestParamInfo<FrontCase>& info) { return info.param.name; });

}  // namespace
}  // namespace inlet
