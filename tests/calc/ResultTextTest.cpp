// Results to text: the picture "0000", the general double and single texts and the round
// trip of y1, including halfway cases and the user's decimal separator.

#include "calc/CalcError.h"
#include "calc/ResultText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace inlet;

namespace {

const NumberLocale kFullStop{".", ","};
const NumberLocale kComma{",", "."};

std::string show(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

struct Row {
    const char* name;
    double value;
    const char* expected;
};

}  // namespace

TEST(Picture0000, RoundsHalvesAwayFromZeroAndPadsToFourDigits)
{
    const Row rows[] = {
        {"padded", 400, "0400"},
        {"fraction dropped", 225.15, "0225"},
        {"fraction below a half", 1421.42, "1421"},
        {"negative rounds away", -7.6, "-0008"},
        {"five digits", 12345.5, "12346"},
        {"half up", 2.5, "0003"},
        {"negative half away", -2.5, "-0003"},
        {"half of one", 0.5, "0001"},
        {"zero", 0, "0000"},
        {"negative rounding to zero has no sign", -0.4, "0000"},
        {"negative zero", -0.0, "0000"},
        {"carry into a fifth digit", 9999.5, "10000"},
        {"just below a half", 0.49999999999999994, "0000"},
        {"half at the edge of exact integers", 4503599627370495.5, "4503599627370496"},
        {"every digit of a large value", 1e20, "100000000000000000000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ": " + show(row.value));
        EXPECT_EQ(picture0000(row.value), row.expected);
    }
}

TEST(GeneralText, ShortestPlainTextWithFifteenSignificantDigits)
{
    const Row rows[] = {
        {"whole", 1500, "1500"},
        {"fraction", 1149.95, "1149.95"},
        {"half", 1500.5, "1500.5"},
        {"zero", 0, "0"},
        {"negative zero", -0.0, "0"},
        {"negative", -2.5, "-2.5"},
        {"sixteenth digit rounds", 1149.95001220703125, "1149.95001220703"},
        {"binary noise removed", 0.1 + 0.2, "0.3"},
        {"exact half at the sixteenth digit rounds away", 12345678901234.25, "12345678901234.3"},
        {"negative exact half rounds away", -12345678901234.25, "-12345678901234.3"},
        {"just below the half", 12345678901234.249, "12345678901234.2"},
        {"carry through nines", 99999.99999999999, "100000"},
        {"largest plain whole", 999999999999999, "999999999999999"},
        {"fifteen digits round up to scientific", 999999999999999.9, "1E+15"},
        {"scientific from 1E+15", 1e15, "1E+15"},
        {"scientific with mantissa", 1.5e20, "1.5E+20"},
        {"three-digit exponent", 1e300, "1E+300"},
        {"smallest plain", 0.0001, "0.0001"},
        {"scientific below 1E-04", 0.00001, "1E-05"},
        {"negative small, plain", -0.000123, "-0.000123"},
        {"negative smaller, scientific", -0.0000123, "-1.23E-05"},
        {"smallest normal", 2.2250738585072014e-308, "2.2250738585072E-308"},
        {"subnormal 5E-311", 5e-311, "5.00000000000023E-311"},
        {"subnormal 2.5E-310 halved", 2.5e-310 / 2, "1.25000000000001E-310"},
        {"subnormal 1E-310", 1e-310, "9.99999999999997E-311"},
        {"negative subnormal", -5e-311, "-5.00000000000023E-311"},
        {"smallest subnormal", 5e-324, "4.94065645841247E-324"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ": " + show(row.value));
        EXPECT_EQ(generalText(row.value, kFullStop), row.expected);
    }
}

TEST(GeneralText, UsesTheLocalesDecimalSeparatorOnly)
{
    EXPECT_EQ(generalText(1149.95, kComma), "1149,95");
    EXPECT_EQ(generalText(1234567.5, kComma), "1234567,5");  // no grouping
    EXPECT_EQ(generalText(1.5e20, kComma), "1,5E+20");
    EXPECT_EQ(generalText(0.25, NumberLocale{"\xD9\xAB", ""}), "0\xD9\xAB" "25");
    EXPECT_EQ(picture0000(1149.95), "1150");
}

TEST(SingleText, SevenSignificantDigits)
{
    const Row rows[] = {
        {"whole", 700.0f, "700"},
        {"single nearest to 1300.3", 1300.3f, "1300.3"},
        {"single nearest to 0.1", 0.1f, "0.1"},
        {"exact half at the eighth digit rounds away", 1234566.5f, "1234567"},
        {"negative exact half rounds away", -1234566.5f, "-1234567"},
        {"scientific from 1E+07", 12345678.0f, "1.234568E+07"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ": " + show(row.value));
        EXPECT_EQ(singleText(static_cast<float>(row.value), kFullStop), row.expected);
    }
}

TEST(Y1Text, ShowsTheNearestWholeNumberWithoutLeadingZeros)
{
    const Row rows[] = {
        {"whole", 700, "700"},
        {"negative half away from zero", -699.5, "-700"},
        {"small positive", 0.4, "0"},
        {"small negative", -0.4, "0"},
        {"four digits", 1500.5, "1501"},
        {"eight digits show as a single", 12345678.4, "1.234568E+07"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ": " + show(row.value));
        EXPECT_EQ(y1Text(row.value, kFullStop), row.expected);
    }
}

TEST(Y1Text, ReadsThePictureBackWhateverTheDecimalSeparator)
{
    EXPECT_EQ(y1Text(-699.5, kComma), "-700");
    EXPECT_EQ(y1Text(12345678.4, kComma), "1,234568E+07");
}

TEST(Y1Text, FailsWithAnOverflowBeyondTheSingleRange)
{
    try {
        y1Text(1e39, kFullStop);
        FAIL() << "y1 = 1e39 gave a text";
    } catch (const CalcError& e) {
        EXPECT_EQ(e.kind(), FailureKind::Overflow);
    }
}
