#include "study/ResponseSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace inlet {
namespace {

using Point = std::vector<double>;

struct SurfaceCase {
    std::string name;
    std::vector<Point> points;              // unit coordinates
    std::vector<bool> choice;
    std::function<double(const Point&)> f;  // the figure at a point
    std::string form;
    double looError;                        // the leave-one-out RMS the points give
    std::vector<Point> checked;             // where the surface must equal f (f in its form)
};

class ResponseSurfaceTest : public testing::TestWithParam<SurfaceCase> {};

TEST_P(ResponseSurfaceTest, FitsTheFormThePointsSupport)
{
    const SurfaceCase& c = GetParam();
    std::vector<double> values;
    for (const Point& p : c.points)
        values.push_back(c.f(p));
    const auto s = fitSurface(c.points, values, c.choice);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->form, c.form);
    EXPECT_EQ(s->points, int(c.points.size()));
    EXPECT_NEAR(s->looError, c.looError, 1e-9);
    for (const Point& p : c.checked)
        EXPECT_NEAR(s->predict(p), c.f(p), 1e-9) << p[0];
}

// u = 2x - 1: the fit's own coordinate, where the hand computations are easy.
double u(double x) { return 2 * x - 1; }

INSTANTIATE_TEST_SUITE_P(
    Polynomials, ResponseSurfaceTest,
    testing::Values(
        // Four points of a parabola: the quadratic, exact, and so each left-out point too.
        SurfaceCase{"ParabolaFourPoints", {{0.0}, {1.0 / 3}, {2.0 / 3}, {1.0}}, {false},
                    [](const Point& p) { return 3 - 2 * p[0] + 5 * p[0] * p[0]; }, "quadratic", 0, {{0.1}, {0.55}, {0.9}}},
        // Three points cannot leave one out of a quadratic: a line. Through u = -1, 0, 1 of
        // u²: leaving out an end predicts -1 (residual 2), the middle 1 (residual -1):
        // sqrt((4 + 1 + 4) / 3).
        SurfaceCase{"ParabolaThreePointsIsALine", {{0.0}, {0.5}, {1.0}}, {false},
                    [](const Point& p) { return u(p[0]) * u(p[0]); }, "linear", std::sqrt(3.0), {}},
        SurfaceCase{"LineThreePoints", {{0.0}, {0.5}, {1.0}}, {false}, [](const Point& p) { return 7 - 4 * p[0]; },
                    "linear", 0, {{0.25}, {0.8}}},
        // Two points: only a constant leaves one out; each predicted by the other.
        SurfaceCase{"TwoPointsAConstant", {{0.0}, {1.0}}, {false}, [](const Point& p) { return 1 + p[0]; }, "constant", 1,
                    {}},
        // A 3 x 3 grid of a full quadratic in two inputs, with its cross term: exact.
        SurfaceCase{"TwoInputsGrid",
                    {{0, 0}, {0, 0.5}, {0, 1}, {0.5, 0}, {0.5, 0.5}, {0.5, 1}, {1, 0}, {1, 0.5}, {1, 1}},
                    {false, false},
                    [](const Point& p) { return 1 + p[0] - 2 * p[1] + 3 * p[0] * p[1] + p[0] * p[0] - 4 * p[1] * p[1]; },
                    "quadratic", 0, {{0.3, 0.7}, {0.9, 0.1}}},
        // Six points in two inputs: 6 terms need 7; without the cross term 5 need 6.
        SurfaceCase{"TwoInputsSixPointsDropTheCrossTerm",
                    {{0, 0.1}, {1, 0.3}, {0.2, 1}, {0.8, 0.9}, {0.5, 0.5}, {0.3, 0.05}},
                    {false, false},
                    [](const Point& p) { return 2 + p[0] * p[0] + p[1] * p[1]; }, "linear and squares", 0,
                    {{0.2, 0.6}}},
        // All points at one value of the input: its terms are not determined, a constant is.
        SurfaceCase{"OneValueOnly", {{0.5}, {0.5}, {0.5}, {0.5}}, {false}, [](const Point&) { return 4.0; },
                    "constant", 0, {{0.5}}},
        // The width set as a choice takes no square: with hk, 5 terms (1, hk, w, hk², hk·w).
        SurfaceCase{"WithAChoice",
                    {{0, 0}, {0.5, 0}, {1, 0}, {0, 1}, {0.5, 1}, {1, 1}},
                    {false, true},
                    [](const Point& p) { return 1 + p[0] * p[0] + 2 * p[1] - p[0] * p[1]; }, "quadratic", 0,
                    {{0.25, 0}, {0.75, 1}}}),
    [](const testing::TestParamInfo<SurfaceCase>& info) { return info.param.name; });

TEST(ResponseSurface, NoneWithOnePoint)
{
    EXPECT_FALSE(fitSurface({{0.5}}, {1.0}, {false}).has_value());
}

TEST(ResponseSurface, LeastSquaresRefusesDependentColumns)
{
    // The second column twice the first.
    EXPECT_FALSE(leastSquares({1, 2, 2, 4, 3, 6}, 3, 2, {1, 2, 3}).has_value());
    const auto x = leastSquares({1, 0, 0, 1, 1, 1}, 3, 2, {1, 2, 3});
    ASSERT_TRUE(x.has_value());
    EXPECT_NEAR((*x)[0], 1, 1e-12);
    EXPECT_NEAR((*x)[1], 2, 1e-12);
}

}  // namespace
}  // namespace inlet
