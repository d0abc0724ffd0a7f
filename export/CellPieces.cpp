#include "export/CellPieces.h"

namespace inlet {

std::vector<std::string_view> cellPieces(std::string_view text, std::size_t most)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80)
            continue;  // inside a character
        const std::size_t width = byte >= 0xF0 ? 2 : 1;  // a four-byte character is a surrogate pair
        if (units + width > most) {
            pieces.push_back(text.substr(start, i - start));
            start = i;
            units = 0;
        }
        units += width;
    }
    if (start < text.size())
        pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace inlet
