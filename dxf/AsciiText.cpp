#include "AsciiText.h"

namespace inlet {

namespace {

// The replacement for a code point outside printable ASCII.
std::string_view replacement(char32_t c)
{
    switch (c) {
    case U'φ':
    case U'ϕ':
        return "phi";
    case U'θ':
        return "theta";
    case U'°':
        return "%%d";
    case U'²':
        return "2";
    case U'³':
        return "3";
    default:
        return "?";
    }
}

// The length of the UTF-8 sequence a lead byte starts, 0 if it cannot start one.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

}  // namespace

std::string asciiText(std::string_view utf8)
{
    std::string ascii;
    ascii.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            ascii += lead >= 0x20 && lead < 0x7F ? static_cast<char>(lead) : '?';
            ++i;
            continue;
        }
        const std::size_t length = sequenceLength(lead);
        char32_t c = length == 0 ? 0 : lead & (0x7F >> length);
        bool wellFormed = length != 0 && i + length <= utf8.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            wellFormed = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong three- and four-byte forms, surrogates and code points beyond U+10FFFF.
        if (wellFormed && length == 3)
            wellFormed = c >= 0x800 && (c < 0xD800 || c > 0xDFFF);
        if (wellFormed && length == 4)
            wellFormed = c >= 0x10000 && c <= 0x10FFFF;
        if (!wellFormed) {
            ascii += '?';
            ++i;
            continue;
        }
        ascii += replacement(c);
        i += length;
    }
    return ascii;
}

}  // namespace inlet
