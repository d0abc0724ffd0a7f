#include "ResultText.h"

#include "DesignInputs.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace inlet {

namespace {

std::string nonFiniteText(double value)
{
    if (std::isnan(value))
        return "NaN";
    return value < 0 ? "-Infinity" : "Infinity";
}

// |value| as d1.d2d3... x 10^exponent, rounded to `significant` digits with halves away from
// zero on the exact binary value, trailing zeros dropped.
struct RoundedDecimal {
    std::string digits;
    int exponent = 0;
};

// The leading digits and decimal exponent of |value| written with `precision` digits after
// the point, as std::to_chars writes them (correctly rounded).
RoundedDecimal scientificDigits(double value, int precision, char* buffer, std::size_t size)
{
    const auto result =
        std::to_chars(buffer, buffer + size, std::fabs(value), std::chars_format::scientific, precision);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    RoundedDecimal d;
    d.digits.reserve(static_cast<std::size_t>(precision) + 1);
    d.digits.push_back(text[0]);
    if (e > 2)
        d.digits.append(text.substr(2, e - 2));
    d.exponent = std::atoi(text.data() + e + 1);
    return d;
}

RoundedDecimal roundedDecimal(double value, int significant)
{
    if (value == 0.0)
        return {"0", 0};

    // Three guard digits decide the rounding, unless they read exactly 500: then the exact
    // expansion (at most 767 significant digits for a double) decides whether it is a tie.
    std::array<char, 64> shortBuffer{};
    RoundedDecimal d = scientificDigits(value, significant + 2, shortBuffer.data(), shortBuffer.size());
    bool up = d.digits.compare(static_cast<std::size_t>(significant), 3, "500") > 0;
    if (d.digits.compare(static_cast<std::size_t>(significant), 3, "500") == 0) {
        std::array<char, 1200> exactBuffer{};
        d = scientificDigits(value, 1100, exactBuffer.data(), exactBuffer.size());
        up = d.digits[static_cast<std::size_t>(significant)] >= '5';
    }
    d.digits.resize(static_cast<std::size_t>(significant));

    if (up) {
        std::size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.digits.pop_back();
            ++d.exponent;
        } else {
            ++d.digits[i - 1];
        }
    }
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

std::string significantText(double value, int significant, const NumberLocale& locale)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const RoundedDecimal d = roundedDecimal(value, significant);
    std::string text;
    if (value < 0 && d.digits != "0")
        text.push_back('-');

    const int e = d.exponent;
    if (e >= significant || e < -4) {
        text.push_back(d.digits[0]);
        if (d.digits.size() > 1)
            text.append(locale.decimalSeparator).append(d.digits, 1);
        text.append(e < 0 ? "E-" : "E+");
        const std::string exponent = std::to_string(std::abs(e));
        if (exponent.size() < 2)
            text.push_back('0');
        text.append(exponent);
    } else if (e >= 0) {
        const auto whole = static_cast<std::size_t>(e) + 1;
        if (d.digits.size() <= whole) {
            text.append(d.digits).append(whole - d.digits.size(), '0');
        } else {
            text.append(d.digits, 0, whole).append(locale.decimalSeparator).append(d.digits, whole);
        }
    } else {
        text.append("0").append(locale.decimalSeparator);
        text.append(static_cast<std::size_t>(-e - 1), '0').append(d.digits);
    }
    return text;
}

}  // namespace

std::string picture0000(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const double whole = std::round(value);  // halves away from zero
    const double magnitude = std::fabs(whole);
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::fixed, 0);
    const std::string_view digits(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));

    std::string text;
    if (whole < 0)
        text.push_back('-');
    if (digits.size() < 4)
        text.append(4 - digits.size(), '0');
    text.append(digits);
    return text;
}

std::string generalText(double value, const NumberLocale& locale)
{
    return significantText(value, 15, locale);
}

std::string singleText(float value, const NumberLocale& locale)
{
    return significantText(static_cast<double>(value), 7, locale);
}

std::string y1Text(double y1, const NumberLocale& locale)
{
    return singleText(strictConversion(picture0000(y1), locale), locale);
}

}  // namespace inlet
