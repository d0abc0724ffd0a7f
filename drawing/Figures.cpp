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
    while (text.size() > sign + 1 && text[sign] == '0')
        text.erase(sign, 1);
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

std::string quotedText(std::string_view text, std::size_t limit)
{
    std::string out = "“";
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (characters == limit) {
            out += "…";
            break;
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        std::size_t length = byte < 0x80 ? 1 : (byte >> 5) == 6 ? 2 : (byte >> 4) == 14 ? 3 : (byte >> 3) == 30 ? 4 : 0;
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (!valid || byte < 0x20 || byte == 0x7F) {
            constexpr const char* kHex = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
        ++characters;
    }
    return out + "”";
}

}  // namespace inlet
