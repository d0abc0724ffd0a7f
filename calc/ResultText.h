#pragma once

// How each result reaches its box as text.

#include "calc/NumberLocale.h"

#include <string>

namespace inlet {

// The whole number nearest to a finite `value`, halves away from zero, worked out here rather
// than by the C library's round(), which is not exact everywhere (MinGW's rounds
// 0.49999999999999994 up to 1). From 2^52 on every double is whole already; below, the part
// after the point is exact.
double roundHalfAwayFromZero(double value);

// The number picture "0000": rounded to an integer (halves away from zero), at least four
// digits, no grouping, a leading minus for negatives. A value that rounds to zero shows 0000.
std::string picture0000(double value);

// The shortest plain decimal with at most 15 significant digits (halves away from zero), the
// locale's decimal separator, no grouping; scientific form (1.5E+20, 1E-05) below 1E-04 and
// from 1E+15 on.
std::string generalText(double value, const NumberLocale& locale);

// generalText with at most 7 significant digits, for a single; scientific from 1E+07 on.
std::string singleText(float value, const NumberLocale& locale);

// The y1 box: the picture "0000" read back by the strict conversion, shown as a single, so
// the whole number nearest to y1 without leading zeros. Fails with an overflow where that
// whole number is beyond the single range.
std::string y1Text(double y1, const NumberLocale& locale);

}  // namespace inlet
