#include "Figures.h"

#include "ResultText.h"

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
    std::string text(buffer.data(), end);
    if (const auto point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, locale.decimalSeparator);
    if (text.starts_with('-') && text.find_first_not_of("-0.,") == std::string::npos)
        text.erase(0, 1);  // -0.00 shows as 0.00
    return text;
}

}  // namespace inlet
