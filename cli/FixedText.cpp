#include "cli/FixedText.h"

#include <charconv>

namespace inlet {

std::string fixed(double value, int decimals)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
    return std::string(buffer, end);
}

}  // namespace inlet
