#pragma once

// A text longer than a workbook's cell holds, cut into the pieces its cells hold.

#include <cstddef>
#include <string_view>
#include <vector>

namespace inlet {

// The most characters a cell holds, as Excel counts them: UTF-16 code units, so that a
// character beyond the Basic Multilingual Plane (𠀀, an emoji) counts two.
inline constexpr std::size_t kCellCharacters = 32767;

// `text` (UTF-8) in order, as pieces of at most `most` characters as Excel counts them; one
// piece where it fits one cell, none where it is empty. No character is cut in two.
std::vector<std::string_view> cellPieces(std::string_view text, std::size_t most = kCellCharacters);

}  // namespace inlet
