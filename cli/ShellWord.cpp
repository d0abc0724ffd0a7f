#include "cli/ShellWord.h"

namespace inlet {

std::string shellWord(std::string_view word)
{
    // Inside single quotes the shell takes every byte as it is but the closing quote itself.
    std::string out = "'";
    for (const char c : word)
        out.append(c == '\'' ? "'\\''" : std::string(1, c));
    return out + "'";
}

}  // namespace inlet
