#pragma once

// Texts from outside (arguments, file names, CSV cells) as messages show them.

#include <string>
#include <string_view>

namespace inlet {

// `text` in quotes, printable whatever it holds: a tab, CR and LF as \t, \r and \n; bytes that
// are not UTF-8, and the bytes of other control characters and of invisible or
// direction-changing characters, as \xHH. A backslash stays as it is, so that a Windows path
// reads as the user wrote it. A text longer than `limit` characters is cut there and ends
// with "…".
std::string quoteForMessage(std::string_view text, std::size_t limit = 40, std::string_view open = "'",
                            std::string_view close = "'");

}  // namespace inlet
