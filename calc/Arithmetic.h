#pragma once

// Checked double arithmetic: every failure is detected by an explicit test of the operands
// or the result, never by floating-point exception flags.

#include "calc/CalcError.h"

#include <cmath>

namespace inlet {

// The constant pi of the whole calculation: exactly 3.1416 (as a double), nothing finer.
inline constexpr double kPi = 3.1416;

// Fails with an overflow unless x is finite; returns x.
inline double finite(double x)
{
    if (!std::isfinite(x))
        throw CalcError(FailureKind::Overflow);
    return x;
}

// a / b, failing on a zero divisor and on operands that already overflowed.
inline double quotient(double a, double b)
{
    if (b == 0.0)
        throw CalcError(FailureKind::DivisionByZero);
    return finite(finite(a) / finite(b));
}

// The square root, failing on a negative radicand.
inline double squareRoot(double x)
{
    if (finite(x) < 0.0)
        throw CalcError(FailureKind::InvalidCall);
    return std::sqrt(x);
}

// x to the power 0.5 through the power function, failing on a negative base.
inline double halfPower(double x)
{
    if (finite(x) < 0.0)
        throw CalcError(FailureKind::InvalidCall);
    return std::pow(x, 0.5);
}

// Rounds once to IEEE single (nearest, ties to even); fails with an overflow where the
// result would not be finite. Extended precision input is rounded directly, not via double.
float toSingle(long double x);
inline float toSingle(double x) { return toSingle(static_cast<long double>(x)); }

}  // namespace inlet
