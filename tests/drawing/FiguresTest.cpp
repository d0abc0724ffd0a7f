// Figures written without the general algorithms must be their characters exactly: every
// figure of the drawing and the checks goes through them.

#include "drawing/Figures.h"
#include "calc/ResultText.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace inlet;

namespace {

std::string expected(double value, int decimals)
{
    std::array<char, 400> text;
    char* end = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals).ptr;
    return std::string(text.data(), end);
}

std::string written(double value, int decimals)
{
    std::array<char, 400> text;
    char* end = toFixed(text.data(), text.data() + text.size(), value, decimals);
    return std::string(text.data(), end);
}

TEST(ToFixed, WritesWhatToCharsWrites)
{
    // Halves of the last decimal exactly (to even either way), neighbours of halves, zeros,
    // the largest exact integers, values below 2^-10 and beyond 2^53, then random magnitudes.
    std::vector<double> values = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.375, 0.0625, 1.0625, 2.675, 1.005,
                                  0.0005, 0.00049999999999999995, 999.9995, 0x1p53 - 1, 0x1p53, 0x1p52 + 0.5,
                                  1e-300, -1e-300, 4e-324, 0x1p-11, -0x1p-11, 1e15, 123456789.125, -0.0001,
                                  std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    for (int k = -4000; k <= 4000; ++k)
        values.push_back(k / 16.0);
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-12, 17);
    for (int i = 0; i < 200000; ++i) {
        const double value = std::pow(10.0, exponent(random));
        values.push_back(i % 2 ? value : -value);
        values.push_back(std::nextafter(value, 0.0));
    }
    for (const double value : values)
        for (int decimals = 0; decimals <= 4; ++decimals)
            ASSERT_EQ(written(value, decimals), expected(value, decimals)) << std::hexfloat << value << " " << decimals;
}

// Whole millimetres are the result boxes' picture "0000" without its leading zeros.
TEST(WholeMillimetres, ArePictureDigitsWithoutLeadingZeros)
{
    std::vector<double> values = {0.0, -0.0, 0.5, -0.5, 0.49999999999999994, -0.49999999999999994, 7.5, -7.5, 999.5,
                                  -8.0, 12345.4, 0x1p52 + 1, 1e18, -1e18, 1e300, -1e300,
                                  std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-3, 20);
    for (int i = 0; i < 20000; ++i)
        values.push_back((i % 2 ? 1 : -1) * std::pow(10.0, exponent(random)));
    for (const double value : values) {
        std::string picture = picture0000(value);
        const std::size_t sign = picture.starts_with('-') ? 1 : 0;
        while (picture.size() > sign + 1 && picture[sign] == '0')
            picture.erase(sign, 1);
        ASSERT_EQ(wholeMillimetres(value), picture) << std::hexfloat << value;
    }
}

}  // namespace
