#pragma once

// theta in radians, formed as the x87 floating-point unit forms it: the product deg * pi and
// the quotient by 180 each rounded to a 64-bit significand (extended precision), the result
// rounded once to single. Where long double is that extended format (GCC and Clang on x86)
// the hardware does it; everywhere else (MSVC, where long double is double; AArch64, where it
// has a 113-bit significand) the same roundings are carried out exactly in integers.

namespace inlet {

// (degrees * pi) / 180 in extended precision, rounded to single; pi is 3.1416. Fails with an
// overflow where the single would not be finite.
float extendedDegreesToRadians(double degrees);

// The same, always through the integer emulation: what builds without a 64-bit extended
// long double use, and what the tests compare with the hardware.
float emulatedDegreesToRadians(double degrees);

}  // namespace inlet
