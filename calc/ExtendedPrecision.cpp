#include "calc/ExtendedPrecision.h"

#include "calc/Arithmetic.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace inlet {

namespace {

// An unsigned 128-bit integer, in two halves, so that the emulation needs no compiler
// extension.
struct U128 {
    std::uint64_t hi = 0;
    std::uint64_t lo = 0;
};

U128 product(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32;
    const std::uint64_t bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
    const std::uint64_t ll = aLo * bLo, lh = aLo * bHi, hl = aHi * bLo, hh = aHi * bHi;
    const std::uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
    return {hh + (lh >> 32) + (hl >> 32) + (middle >> 32), (middle << 32) | (ll & 0xFFFFFFFFu)};
}

// (x * 2^64) / d and whether a remainder is left, for a divisor below 2^32.
U128 quotientOfShifted(std::uint64_t x, std::uint32_t d, bool& remainder)
{
    const std::uint32_t limbs[4] = {static_cast<std::uint32_t>(x >> 32),
                                    static_cast<std::uint32_t>(x), 0, 0};
    std::uint32_t q[4];
    std::uint64_t r = 0;
    for (int i = 0; i < 4; ++i) {
        const std::uint64_t n = (r << 32) | limbs[i];
        q[i] = static_cast<std::uint32_t>(n / d);
        r = n % d;
    }
    remainder = r != 0;
    return {(std::uint64_t{q[0]} << 32) | q[1], (std::uint64_t{q[2]} << 32) | q[3]};
}

int bitLength(const U128& v)
{
    return v.hi ? 128 - std::countl_zero(v.hi) : 64 - std::countl_zero(v.lo);
}

// Bits [shift, shift + 64) of v.
std::uint64_t bitsFrom(const U128& v, int shift)
{
    if (shift == 0)
        return v.lo;
    if (shift >= 64)
        return v.hi >> (shift - 64);
    return (v.lo >> shift) | (v.hi << (64 - shift));
}

bool anyBitBelow(const U128& v, int bit)  // any of bits [0, bit)
{
    if (bit <= 0)
        return false;
    if (bit >= 64)
        return v.lo != 0 || (bit > 64 && (v.hi << (128 - bit)) != 0);
    return (v.lo << (64 - bit)) != 0;
}

// A positive value significand * 2^exponent with a significand of exactly 64 bits.
struct Extended {
    std::uint64_t significand = 0;
    int exponent = 0;
};

// v * 2^exponent rounded to 64 significant bits, nearest with ties to even; `sticky` tells
// that nonzero bits lie below v.
Extended roundToExtended(const U128& v, int exponent, bool sticky)
{
    const int length = bitLength(v);
    if (length <= 64)
        return {v.lo << (64 - length), exponent - (64 - length)};
    const int shift = length - 64;
    std::uint64_t m = bitsFrom(v, shift);
    const bool guard = (bitsFrom(v, shift - 1) & 1) != 0;
    const bool rest = sticky || anyBitBelow(v, shift - 1);
    if (guard && (rest || (m & 1))) {
        if (++m == 0)
            return {std::uint64_t{1} << 63, exponent + shift + 1};
    }
    return {m, exponent + shift};
}

// x rounded once to single, nearest with ties to even, subnormals included.
float roundToSingle(const Extended& x)
{
    constexpr int kMinExponent = -126;  // of the smallest normal single, 2^-126
    const int top = x.exponent + 63;    // x lies in [2^top, 2^(top+1))
    int shift = 64 - 24;
    if (top < kMinExponent)
        shift += kMinExponent - top;
    if (shift > 64)
        return 0.0f;
    const U128 v{0, x.significand};
    std::uint64_t m = shift == 64 ? 0 : x.significand >> shift;
    const bool guard = (bitsFrom(v, shift - 1) & 1) != 0;
    const bool rest = anyBitBelow(v, shift - 1);
    if (guard && (rest || (m & 1)))
        ++m;
    const int exponent = x.exponent + shift;
    if (m != 0 && (64 - std::countl_zero(m)) + exponent > 128)
        throw CalcError(FailureKind::Overflow);
    return std::ldexp(static_cast<float>(m), exponent);
}

}  // namespace

float emulatedDegreesToRadians(double degrees)
{
    if (!std::isfinite(degrees))
        throw CalcError(FailureKind::Overflow);
    if (degrees == 0)
        return std::signbit(degrees) ? -0.0f : 0.0f;

    // Both operands as 53-bit integers times a power of two.
    int degreesExponent = 0;
    int piExponent = 0;
    const auto d = static_cast<std::uint64_t>(std::ldexp(std::frexp(std::fabs(degrees), &degreesExponent), 53));
    const auto p = static_cast<std::uint64_t>(std::ldexp(std::frexp(kPi, &piExponent), 53));

    const Extended x = roundToExtended(product(d, p), degreesExponent + piExponent - 106, false);
    bool remainder = false;
    const U128 q = quotientOfShifted(x.significand, 180, remainder);
    const Extended radians = roundToExtended(q, x.exponent - 64, remainder);
    const float result = roundToSingle(radians);
    return degrees < 0 ? -result : result;
}

float extendedDegreesToRadians(double degrees)
{
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        const long double radians =
            (static_cast<long double>(degrees) * static_cast<long double>(kPi)) / 180.0L;
        return toSingle(radians);
    } else {
        return emulatedDegreesToRadians(degrees);
    }
}

}  // namespace inlet
