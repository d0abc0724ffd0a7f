#include "messages/MessageText.h"

#include "platform/Utf8.h"

namespace inlet {

namespace {

void appendHex(std::string& out, std::string_view bytes)
{
    constexpr const char* kHex = "0123456789ABCDEF";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out.append("\\x");
        out.push_back(kHex[byte >> 4]);
        out.push_back(kHex[byte & 0xF]);
    }
}

// Characters a terminal shows as nothing, or that move or reorder what follows: control
// characters, zero-width and direction marks, line and paragraph separators, the BOM.
bool isInvisible(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x200B && c <= 0x200F)
           || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x2069) || c == 0xFEFF;
}

}  // namespace

std::string quoteForMessage(std::string_view text, std::size_t limit, std::string_view open,
                            std::string_view close)
{
    std::string out(open);
    std::size_t characters = 0;
    while (!text.empty()) {
        if (characters == limit) {
            out.append("…");
            break;
        }
        const Utf8Char c = firstUtf8Char(text);
        const std::size_t length = c.length == 0 ? 1 : c.length;
        const std::string_view bytes = text.substr(0, length);
        if (c.codePoint == '\t')
            out.append("\\t");
        else if (c.codePoint == '\r')
            out.append("\\r");
        else if (c.codePoint == '\n')
            out.append("\\n");
        else if (c.length == 0 || isInvisible(c.codePoint))
            appendHex(out, bytes);
        else
            out.append(bytes);
        text.remove_prefix(length);
        ++characters;
    }
    out.append(close);
    return out;
}

}  // namespace inlet
