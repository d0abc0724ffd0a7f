#pragma once

// Reading UTF-8 one character at a time, for checking and escaping texts that came from outside.

#include <cstddef>
#include <string_view>

namespace inlet {

struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 0;  // in bytes; 0 when the bytes are not UTF-8
};

// The character at the start of `text` (which must not be empty). Overlong forms, surrogates
// and code points beyond U+10FFFF are not UTF-8.
Utf8Char firstUtf8Char(std::string_view text);

bool isUtf8(std::string_view text);

}  // namespace inlet
