#pragma once

// How the drawing and the design checks write a figure.

#include "calc/NumberLocale.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace inlet {

// Whole millimetres, rounded as the result boxes round them, without their leading zeros:
// 823, -8, 12346.
std::string wholeMillimetres(double value);

// `value` with `decimals` decimals, written from `first`: the characters
// std::to_chars(first, last, value, std::chars_format::fixed, decimals) writes ("%.3f"'s),
// worked out with one integer multiplication where that is exact (0 to 3 decimals, |value|
// below 2^53). Returns the end of the characters written.
char* toFixed(char* first, char* last, double value, int decimals);

// A figure with a fixed number of decimals (nearest), the locale's decimal separator: 3,95.
std::string fixedFigure(double value, int decimals, const NumberLocale& locale);

// The parts one after the other, in one allocation.
std::string join(std::initializer_list<std::string_view> parts);

}  // namespace inlet
