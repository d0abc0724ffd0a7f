#include "platform/WindowsNames.h"

#include <array>

namespace inlet {

std::string windowsDeviceName(std::string_view path)
{
    if (const std::size_t slash = path.find_last_of("/\\"); slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    std::string_view base = path.substr(0, path.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    std::string upper(base);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    constexpr std::array<std::string_view, 4> kDevices{"CON", "PRN", "AUX", "NUL"};
    for (const std::string_view device : kDevices)
        if (upper == device)
            return upper;
    if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1'
        && upper[3] <= '9')
        return upper;
    return {};
}

}  // namespace inlet
