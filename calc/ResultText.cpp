#include "calc/ResultText.h"

#include "calc/DesignInputs.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
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

// The digits and exponent of a text "d.ddde+XX" that std::to_chars wrote.
RoundedDecimal fromScientific(std::string_view text)
{
    const std::size_t e = text.find('e');
    RoundedDecimal d;
    d.digits.reserve(e);
    d.digits.push_back(text[0]);
    if (e > 2)
        d.digits.append(text.substr(2, e - 2));
    const bool negative = text[e + 1] == '-';
    std::from_chars(text.data() + e + 2, text.data() + text.size(), d.exponent);
    if (negative)
        d.exponent = -d.exponent;
    return d;
}

// |value| with `precision` digits after the point, correctly rounded; with no precision, the
// shortest text that reads back as the same double.
template <std::size_t Size>
RoundedDecimal scientificDigits(double value, std::array<char, Size>& buffer, std::optional<int> precision = {})
{
    char* const first = buffer.data();
    char* const last = buffer.data() + buffer.size();
    const auto result = precision
        ? std::to_chars(first, last, std::fabs(value), std::chars_format::scientific, *precision)
        : std::to_chars(first, last, std::fabs(value), std::chars_format::scientific);
    return fromScientific(std::string_view(first, static_cast<std::size_t>(result.ptr - first)));
}

RoundedDecimal roundedDecimal(double value, int significant)
{
    if (value == 0.0)
        return {"0", 0};

    const auto guarded = static_cast<std::size_t>(significant);
    std::array<char, 64> shortBuffer;
    // A shortest round-trip text of at most 15 digits is already the double rounded to 15
    // digits: the value lies within half a binary step (2^-53 relative) of it, far closer
    // than half a decimal step (5E-16 relative). Below the normal range the binary steps are
    // coarser (5E-311 is 5.00000000000023E-311 to 15 digits), so there it does not hold.
    if (significant >= 15 && std::fabs(value) >= std::numeric_limits<double>::min()) {
        RoundedDecimal d = scientificDigits(value, shortBuffer);
        if (d.digits.size() <= guarded)
            return d;
    }

    // Three guard digits decide the rounding, unless they read exactly 500: then the exact
    // expansion (at most 767 significant digits for a double) decides whether it is a tie.
    RoundedDecimal d = scientificDigits(value, shortBuffer, significant + 2);
    bool up = d.digits.compare(guarded, 3, "500") > 0;
    if (d.digits.compare(guarded, 3, "500") == 0) {
        std::array<char, 1200> exactBuffer;
        d = scientificDigits(value, exactBuffer, 1100);
        up = d.digits[guarded] >= '5';
    }
    d.digits.resize(guarded);

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

double roundHalfAwayFromZero(double value)
{
    if (!(std::fabs(value) < 0x1p52))
        return value;
    const double whole = static_cast<double>(static_cast<long long>(value));  // toward zero
    const double fraction = value - whole;
    if (fraction >= 0.5)
        return whole + 1;
    if (fraction <= -0.5)
        return whole - 1;
    return whole;
}

std::string picture0000(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const double whole = roundHalfAwayFromZero(value);
    const double magnitude = std::fabs(whole);
    std::array<char, 400> buffer;
    char* end = buffer.data();
    if (magnitude < 1e18) {
        end = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                            static_cast<unsigned long long>(magnitude)).ptr;
    } else {
        end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                            std::chars_format::fixed, 0).ptr;
    }
    const std::string_view digits(buffer.data(), static_cast<std::size_t>(end - buffer.data()));

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
