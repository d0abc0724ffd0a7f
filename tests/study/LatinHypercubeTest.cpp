#include "messages/Failure.h"
#include "study/LatinHypercube.h"
#include "study/StudyPlan.h"

#include <gtest/gtest.h>

#include <set>

namespace inlet {
namespace {

struct Case {
    const char* name;
    int count;
    int dimensions;
    std::uint64_t seed;
};

class LatinHypercubeTest : public testing::TestWithParam<Case> {};

// Each coordinate falls once in each of its strata, and within the unit cube.
TEST_P(LatinHypercubeTest, EachStratumOncePerDimension)
{
    const Case c = GetParam();
    const auto samples = latinHypercube(c.count, c.dimensions, c.seed);
    ASSERT_EQ(samples.size(), std::size_t(c.count));
    for (int d = 0; d < c.dimensions; ++d) {
        std::set<int> strata;
        for (const auto& s : samples) {
            ASSERT_EQ(s.size(), std::size_t(c.dimensions));
            ASSERT_GE(s[d], 0.0);
            ASSERT_LT(s[d], 1.0);
            strata.insert(int(s[d] * c.count));
        }
        EXPECT_EQ(strata.size(), std::size_t(c.count)) << "dimension " << d;
    }
}

// The same seed gives the same samples; another seed others.
TEST_P(LatinHypercubeTest, ReproducibleFromSeed)
{
    const Case c = GetParam();
    EXPECT_EQ(latinHypercube(c.count, c.dimensions, c.seed), latinHypercube(c.count, c.dimensions, c.seed));
    if (c.count > 2)
        EXPECT_NE(latinHypercube(c.count, c.dimensions, c.seed), latinHypercube(c.count, c.dimensions, c.seed + 1));
}

INSTANTIATE_TEST_SUITE_P(Samples, LatinHypercubeTest,
                         testing::Values(Case{"one", 1, 1, 0}, Case{"ten_in_two", 10, 2, 7}, Case{"hundred_in_three", 100, 3, 42},
                                         Case{"prime_in_three", 97, 3, 2026}, Case{"thousand_in_one", 1000, 1, 1}),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// The grid: every combination, the last input fastest, the ends exact.
TEST(StudyPlanTest, GridHasEveryCombination)
{
    const std::vector<VariedInput> inputs{parseVariedInput("hk=1800:2600:5"), parseVariedInput("aa=45:55:3")};
    const auto grid = gridVariants(inputs);
    ASSERT_EQ(grid.size(), 15u);
    EXPECT_EQ(grid.front(), (VariantValues{1800, 45}));
    EXPECT_EQ(grid[1], (VariantValues{1800, 50}));
    EXPECT_EQ(grid.back(), (VariantValues{2600, 55}));
}

struct Refused {
    const char* name;
    const char* text;
};

class VariedInputRefused : public testing::TestWithParam<Refused> {};

TEST_P(VariedInputRefused, IsAFailure)
{
    EXPECT_THROW(parseVariedInput(GetParam().text), Failure);
}

INSTANTIATE_TEST_SUITE_P(Ranges, VariedInputRefused,
                         testing::Values(Refused{"unknown_input", "D=1:2:3"}, Refused{"no_range", "hk"},
                                         Refused{"no_count", "hk=1:2"}, Refused{"reversed", "hk=2600:1800:5"},
                                         Refused{"zero", "hk=0:100:2"}, Refused{"negative", "H1=-5:100:2"},
                                         Refused{"angle_right", "aa=45:90:3"}, Refused{"count_zero", "hk=1:2:0"},
                                         Refused{"count_too_large", "hk=1:2:1001"}, Refused{"count_not_whole", "hk=1:2:2.5"},
                                         Refused{"one_value_of_two", "hk=1:2:1"}, Refused{"not_a_number", "hk=a:2:2"},
                                         Refused{"widths_other", "widths=computed"}),
                         [](const testing::TestParamInfo<Refused>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace inlet
