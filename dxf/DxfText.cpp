#include "dxf/DxfText.h"

#include <cstdio>

namespace inlet {

namespace {

// The length of the well-formed UTF-8 character at `i` and its code point; 0 when it is not
// well formed.
std::size_t decode(std::string_view s, std::size_t i, char32_t& code)
{
    const auto byte = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    std::size_t length = 0;
    char32_t smallest = 0;
    if (b < 0x80) {
        code = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        length = 2, code = b & 0x1F, smallest = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        length = 3, code = b & 0x0F, smallest = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        length = 4, code = b & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

void escaped(std::string& out, char32_t code)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "\\U+%04X", static_cast<unsigned>(code));
    out += buffer;
}

}  // namespace

std::string dxfText(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t code = 0;
        const std::size_t length = decode(utf8, i, code);
        if (length == 0) {
            escaped(out, 0xFFFD);
            ++i;
            continue;
        }
        if (code < 0x20 || code == 0x7F || code == U'\\')
            escaped(out, code);
        else
            out.append(utf8.substr(i, length));
        i += length;
    }
    return out;
}

}  // namespace inlet
