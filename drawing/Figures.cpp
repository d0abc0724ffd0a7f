#include "drawing/Figures.h"

#include "calc/ResultText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace inlet {

std::string wholeMillimetres(double value)
{
    if (!std::isfinite(value))
        return picture0000(value);  // "NaN", "Infinity", "-Infinity"
    // picture0000's digits without its leading zeros: the whole number's own digits.
    const double whole = roundHalfAwayFromZero(value);
    const double magnitude = std::fabs(whole);
    std::array<char, 400> text;  // any double's whole digits fit
    char* const last = text.data() + text.size();
    char* end = text.data();
    if (whole < 0)
        *end++ = '-';
    if (magnitude < 1e18)
        end = std::to_chars(end, last, static_cast<unsigned long long>(magnitude)).ptr;
    else
        end = std::to_chars(end, last, magnitude, std::chars_format::fixed, 0).ptr;
    return std::string(text.data(), end);
}

char* toFixed(char* first, char* last, double value, int decimals)
{
    constexpr std::uint64_t kPowersOfTen[] = {1, 10, 100, 1000};
    const double magnitude = std::fabs(value);
    if (!(magnitude < 0x1p53) || decimals < 0 || decimals > 3 || last - first < 24)
        return std::to_chars(first, last, value, std::chars_format::fixed, decimals).ptr;
    // |value| = mantissa·2^-shift exactly, read from the double's bits (52 stored bits and the
    // leading 1 of a normal number; the biased exponent 1075 stands for 2^0 at the last bit).
    // The mantissa is below 2^53, so times 10^decimals it stays below 2^63. Rounded to a whole
    // number as printf rounds: to nearest, halves to even.
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased > 0)
        mantissa |= std::uint64_t{1} << 52;
    const int shift = biased > 0 ? 1075 - biased : 1074;
    const std::uint64_t scaled = mantissa * kPowersOfTen[decimals];
    std::uint64_t rounded = 0;  // |value|·10^decimals
    if (shift == 0) {
        rounded = scaled;
    } else if (shift < 64) {
        rounded = scaled >> shift;
        const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        if (rest > half || (rest == half && (rounded & 1) != 0))
            ++rounded;
    }  // else below 2^-10, under half of the last decimal: 0

    char* out = first;
    if (std::signbit(value))
        *out++ = '-';
    out = std::to_chars(out, last, rounded / kPowersOfTen[decimals]).ptr;
    if (decimals > 0) {
        *out++ = '.';
        std::uint64_t digits = rounded % kPowersOfTen[decimals];
        for (int k = decimals - 1; k >= 0; --k) {
            out[k] = static_cast<char>('0' + digits % 10);
            digits /= 10;
        }
        out += decimals;
    }
    return out;
}

std::string fixedFigure(double value, int decimals, const NumberLocale& locale)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return generalText(value, locale);
    std::array<char, 64> buffer;
    const char* end = toFixed(buffer.data(), buffer.data() + buffer.size(), value, decimals);
    std::string_view digits(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    const std::string_view separator =
        digits.find('.') == std::string_view::npos ? std::string_view() : std::string_view(locale.decimalSeparator);
    // -0.00 shows as 0.00
    if (digits.starts_with('-') && digits.find_first_not_of("-0.") == std::string_view::npos
        && separator.find_first_not_of("-0.,") == std::string_view::npos)
        digits.remove_prefix(1);
    // The digits with the locale's decimal separator, in one allocation.
    const std::size_t point = digits.find('.');
    std::string text;
    text.reserve(digits.size() + separator.size());
    if (point == std::string_view::npos)
        text.append(digits);
    else
        text.append(digits.substr(0, point)).append(separator).append(digits.substr(point + 1));
    return text;
}

std::string join(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (const std::string_view part : parts)
        size += part.size();
    std::string text(size, '\0');
    char* end = text.data();
    for (const std::string_view part : parts)
        end = std::copy(part.begin(), part.end(), end);
    return text;
}

}  // namespace inlet
