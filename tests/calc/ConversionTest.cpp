// Typed text to numbers: the lenient parse, the strict conversion, rounding to single and
// degrees to radians.

#include "calc/Arithmetic.h"
#include "calc/DesignInputs.h"
#include "calc/ExtendedPrecision.h"

#include "tests/calc/FailureOf.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace inlet;

namespace {

const NumberLocale kFullStop{".", ","};
const NumberLocale kComma{",", "."};
const NumberLocale kNarrowSpace{",", "\xE2\x80\xAF"};  // U+202F between groups

}  // namespace

TEST(LenientParse, ReadsTheNumberAtTheStartOfTheText)
{
    struct Row {
        const char* name;
        std::string text;
        double expected;
    };
    const Row rows[] = {
        {"whole number", "2200", 2200},
        {"range reads its first end", "3.5\xEF\xBD\x9E" "5.0", 3.5},
        {"empty text", "", 0},
        {"only blanks", "  ", 0},
        {"trailing letters", "12abc", 12},
        {"blank inside the digits", "1 300", 1300},
        {"tab and line feed inside", "1\t3\n0", 130},
        {"blank after the sign", "- 5", -5},
        {"leading blanks", "   42", 42},
        {"comma ends the number", "50,5", 50},
        {"degree sign ends the number", "50\xC2\xB0", 50},
        {"second point ends the number", "1.2.3", 1.2},
        {"fraction only", ".25", 0.25},
        {"exponent", "1E3", 1000},
        {"lower-case exponent with sign", "2.5e-1", 0.25},
        {"exponent without digits", "1e", 1},
        {"exponent with a lone sign", "1e+", 1},
        {"exponent letter alone", "e5", 0},
        {"lone minus", "-", 0},
        {"lone plus", "+", 0},
        {"lone point", ".", 0},
        {"minus zero", "-0", 0},
        {"nearest double to one tenth", "0.1", 0.1},
        {"below the double range", "1e-400", 0},
        {"largest double", "1.7976931348623157e308", DBL_MAX},
        {"full-width digits are no digits", "\xEF\xBC\x91\xEF\xBC\x92", 0},
        {"embedded NUL ends the number", std::string("12\0" "34", 5), 12},
        {"leading zeros of a long fraction", "0." + std::string(400, '0') + "1e401", 1},
        {"many integer digits scaled back", "1" + std::string(1000, '0') + "e-1000", 1},
        {"huge exponent cancelled by leading zeros",
         "0." + std::string(999'999, '0') + "2e1000000", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ": \"" + row.text.substr(0, 40) + "\"");
        EXPECT_EQ(lenientParse(row.text), row.expected);
    }
}

TEST(LenientParse, FailsWithAnOverflowBeyondTheDoubleRange)
{
    for (const char* text : {"1e400", "-1e400", "1.8e308", "1e99999999999999999999999"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(failureOf([&] { lenientParse(text); }), FailureKind::Overflow);
    }
}

TEST(StrictConversion, AcceptsNumbersInTheUsersLocale)
{
    struct Row {
        const char* name;
        const NumberLocale& locale;
        std::string text;
        float expected;
    };
    const Row rows[] = {
        {"whole number", kFullStop, "700", 700.0f},
        {"surrounding blanks", kFullStop, " \t700 ", 700.0f},
        {"rounded to the nearest single", kFullStop, "700.1", 700.0999755859375f},
        {"grouped thousands", kFullStop, "1,300", 1300.0f},
        {"grouped with a fraction", kFullStop, "1,300.5", 1300.5f},
        {"two groups", kFullStop, "1,000,000", 1.0e6f},
        {"plus sign", kFullStop, "+5", 5.0f},
        {"leading zeros and sign", kFullStop, "-0700", -700.0f},
        {"exponent", kFullStop, "1e3", 1000.0f},
        {"largest single", kFullStop, "3.4028235e38", FLT_MAX},
        {"below the single range", kFullStop, "1e-50", 0.0f},
        {"comma decimal separator", kComma, "700,1", 700.0999755859375f},
        {"point groups, comma decimal", kComma, "1.300,5", 1300.5f},
        {"multi-byte group separator", kNarrowSpace, "1\xE2\x80\xAF" "300,5", 1300.5f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ": \"" + row.text + "\"");
        EXPECT_EQ(strictConversion(row.text, row.locale), row.expected);
    }
}

TEST(StrictConversion, NamesTheFailureKind)
{
    struct Row {
        const char* name;
        const NumberLocale& locale;
        std::string text;
        FailureKind kind;
    };
    using enum FailureKind;
    const Row rows[] = {
        {"empty", kFullStop, "", TypeMismatch},
        {"only blanks", kFullStop, "   ", TypeMismatch},
        {"letters", kFullStop, "abc", TypeMismatch},
        {"trailing letters", kFullStop, "700abc", TypeMismatch},
        {"blank inside", kFullStop, "7 00", TypeMismatch},
        {"lone sign", kFullStop, "-", TypeMismatch},
        {"lone separator", kFullStop, ".", TypeMismatch},
        {"exponent without digits", kFullStop, "1e", TypeMismatch},
        {"group of two digits", kFullStop, "1,30", TypeMismatch},
        {"group of four digits", kFullStop, "1,3000", TypeMismatch},
        {"first group too long", kFullStop, "1234,567", TypeMismatch},
        {"leading group separator", kFullStop, ",300", TypeMismatch},
        {"comma decimal in a full-stop locale", kFullStop, "50,5", TypeMismatch},
        {"full stop in a comma locale", kComma, "700.1", TypeMismatch},
        {"embedded NUL", kFullStop, std::string("7\0" "00", 4), TypeMismatch},
        {"beyond the single range", kFullStop, "3.5e38", Overflow},
        {"negative beyond the single range", kFullStop, "-1e39", Overflow},
        {"beyond the double range", kFullStop, "1e400", Overflow},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ": \"" + row.text + "\"");
        EXPECT_EQ(failureOf([&] { strictConversion(row.text, row.locale); }), row.kind);
    }
}

TEST(RoundingToSingle, RoundsOnceToNearest)
{
    EXPECT_EQ(toSingle(1300.3), 1300.300048828125f);
    EXPECT_EQ(toSingle(-0.1), -0.100000001490116119384765625f);
    // Just below the point halfway between the largest single and 2^128.
    EXPECT_EQ(toSingle(0x1.fffffefffffffp127), FLT_MAX);
    EXPECT_EQ(toSingle(-0x1.fffffefffffffp127), -FLT_MAX);
    EXPECT_EQ(failureOf([] { toSingle(0x1.ffffffp127); }), FailureKind::Overflow);
    EXPECT_EQ(failureOf([] { toSingle(-1e300); }), FailureKind::Overflow);
}

TEST(DegreesToRadians, ThetaIsFormedInExtendedPrecisionAndRoundedOnce)
{
    EXPECT_EQ(thetaRadians(0), 0.0f);
    EXPECT_EQ(failureOf([] { thetaRadians(1e300); }), FailureKind::Overflow);
    // Angles whose radians, formed in double and then rounded to single, land one step
    // away. The expected singles are the exact deg * 3.1416 / 180 rounded once, worked out
    // in rational arithmetic (tests/run/theta_designs.py, single_nearest).
    struct Row {
        double degrees;
        float radians;
        float inDouble;  // what forming the product and quotient in double gives
    };
    const Row rows[] = {
        {3.8366045481244329, 0x1.124642p-4f, 0x1.124644p-4f},
        {4.7331424735947545, 0x1.525deep-4f, 0x1.525df0p-4f},
        {5.1643120977284802, 0x1.7130d6p-4f, 0x1.7130d4p-4f},
        {5.7295648519140423, 0x1.99999ap-4f, 0x1.99999cp-4f},
        {6.6930384747257117, 0x1.de7a46p-4f, 0x1.de7a48p-4f},
        {8.4430148655718025, 0x1.2dca6ep-3f, 0x1.2dca6cp-3f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("theta " + std::to_string(row.degrees));
        ASSERT_NE(static_cast<float>((row.degrees * kPi) / 180), row.radians) << "not a telling angle";
        EXPECT_EQ(static_cast<float>((row.degrees * kPi) / 180), row.inDouble);
        EXPECT_EQ(thetaRadians(row.degrees), row.radians);
        EXPECT_EQ(emulatedDegreesToRadians(row.degrees), row.radians);
    }
}

// Where long double is the x87 extended format, the integer emulation that other compilers
// use must give the hardware's single for every angle, the edges of the single range
// included.
TEST(DegreesToRadians, TheIntegerEmulationAgreesWithTheExtendedHardware)
{
    if constexpr (std::numeric_limits<long double>::digits != 64)
        GTEST_SKIP() << "long double is not the 64-bit-significand extended format here";

    const auto outcome = [](float (*convert)(double), double degrees) {
        try {
            return std::to_string(convert(degrees)) + " " + std::to_string(std::bit_cast<std::uint32_t>(convert(degrees)));
        } catch (const CalcError& e) {
            return std::string(kindName(e.kind()));
        }
    };
    std::vector<double> angles{0.0, -0.0, 3.5, 5, -5, 45, 90, 360, 1e-310, 5e-324, 8e-44,
                               8.02e-44, 1e-42, 6.6e-37, 6.7e-37, 1.9498e40, 1.94985e40,
                               1.9499e40, -1.9499e40, DBL_MAX, -DBL_MAX, DBL_MIN};
    // The single range's top edge: the largest finite single and the point halfway to 2^128.
    for (const double radians : {static_cast<double>(FLT_MAX), 0x1.ffffffp127}) {
        const double degrees = radians * 180 / kPi;
        for (double d = std::nextafter(degrees, 0.0), k = 0; k < 3; ++k, d = std::nextafter(d, DBL_MAX))
            angles.push_back(d);
    }
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        const double mantissa = std::uniform_real_distribution<double>(-1, 1)(random);
        angles.push_back(std::ldexp(mantissa, std::uniform_int_distribution<int>(-1100, 1030)(random)));
        angles.push_back(std::uniform_real_distribution<double>(0, 90)(random));
    }
    for (const double degrees : angles)
        ASSERT_EQ(outcome(emulatedDegreesToRadians, degrees), outcome(extendedDegreesToRadians, degrees))
            << "theta " << std::hexfloat << degrees;
}

TEST(DegreesToRadians, AaUsesThreePointOneFourOneSixInDouble)
{
    EXPECT_DOUBLE_EQ(aaRadians(180), 3.1416);
    EXPECT_DOUBLE_EQ(aaRadians(-90), -1.5708);
    EXPECT_EQ(failureOf([] { aaRadians(1e308); }), FailureKind::Overflow);
}
