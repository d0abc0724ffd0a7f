#pragma once

// A word for a POSIX shell script, such as the job script of a flow study: whatever it holds
// (quotes, blanks, $, `, \, line feeds), the shell reads it back as the one word it was.

#include <string>
#include <string_view>

namespace inlet {

// `word` in single quotes, each ' in it written as '\''.
std::string shellWord(std::string_view word);

}  // namespace inlet
