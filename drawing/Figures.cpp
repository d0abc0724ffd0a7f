#include "Figures.h"

#include "ResultText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace inlet {

std::string wholeMillimetres(double value)
{
    std::string text = picture0000(value);
    const std::size_t sign = text.starts_with('-') ? 1 : 0;
    std::size_t zeros = 0;
    while (sign + zeros + 1 < text.size() && text[sign + zeros] == '0')
        ++zeros;
    text.erase(sign, zeros);
    return text;
}

std::string fixedFigure(double value, int decimals, const NumberLocale& locale)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return generalText(value, locale);
    std::array<char, 64> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, decimals).ptr;
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
