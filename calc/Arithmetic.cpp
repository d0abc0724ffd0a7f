#include "calc/Arithmetic.h"

#include <cfloat>

namespace inlet {

float toSingle(long double x)
{
    // 2^128 - 2^103 lies halfway between FLT_MAX and 2^128; it and everything beyond
    // rounds to infinity.
    constexpr long double kOverflowEdge = 0x1.ffffffp127L;
    if (!(std::fabs(x) < kOverflowEdge))  // also catches NaN
        throw CalcError(FailureKind::Overflow);
    if (std::fabs(x) > FLT_MAX)  // rounds down to the largest single
        return x < 0 ? -FLT_MAX : FLT_MAX;
    return static_cast<float>(x);
}

}  // namespace inlet
