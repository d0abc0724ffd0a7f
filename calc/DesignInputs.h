#pragma once

// The given dimensions and how the typed texts become numbers.
//
// Notation (lengths in mm, angles in radians once converted):
//   D      impeller diameter (read, enters no formula)
//   D0     cone inlet diameter
//   theta  cone contraction angle, single
//   H0     height of the bell-mouth pipe's lower end above the passage floor
//   H1     height of the bell-mouth pipe
//   H2     height from the bell mouth up to the cone, single
//   D1     bell-mouth diameter
//   dd0    guide cone diameter, single
//   aa     inclination of the volute's upper wall
//   hk     volute section height, single

#include "calc/NumberLocale.h"

#include <string_view>

namespace inlet {

struct DesignInputs {
    double D = 0;
    double D0 = 0;
    float theta = 0;
    double H0 = 0;
    double H1 = 0;
    float H2 = 0;
    double D1 = 0;
    float dd0 = 0;
    double aa = 0;
    float hk = 0;
};

// The lenient parse: leading blanks skipped, then an optional sign, digits, a full stop and
// digits, an optional exponent; blanks, tabs and line feeds inside the number are skipped;
// the rest of the text is ignored; no digit gives 0. Fails only with an overflow, for a
// number beyond the double range.
double lenientParse(std::string_view text);

// The lenient parse and how much of the text it took: `length` bytes from the start (leading
// blanks, the number and blanks inside it), `anyDigit` false where it found no number.
struct LenientReading {
    double value = 0;
    std::size_t length = 0;
    bool anyDigit = false;
};
LenientReading lenientRead(std::string_view text);

// The strict conversion: the whole text, less leading and trailing blanks, must be a number
// written with the locale's decimal separator and (optionally) its digit grouping. Fails with
// a type mismatch otherwise and with an overflow beyond the single range; rounds to single.
float strictConversion(std::string_view text, const NumberLocale& locale);

// Degrees to radians for theta: (deg * pi) / 180 in extended precision, rounded once to single.
float thetaRadians(double degrees);

// Degrees to radians for aa: (deg * pi) / 180 in double.
double aaRadians(double degrees);

}  // namespace inlet
