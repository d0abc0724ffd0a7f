#pragma once

// The quantities a calculation run reads or computes, named where a run can fail.

#include <string_view>

namespace inlet {

enum class Quantity {
    // Read from the boxes of the given-parameter frame.
    D, D0, theta, H0, H1, H2, D1, dd0, aa, hk,
    // Computed, in the order of the run.
    a1, b1, y1, y2, a2, b2,
    tangentPoint,  // S and T, before ap and bp
    ap, bp, Ft, P,
    a0, a10, a20, a30, a40, a50, a60, a70, a80, a87, a84, H, a90, B,
};

// The symbol as the window's captions write it: "dd0", "a30", "Ft".
std::string_view symbol(Quantity q);
// "the volute width a30 at φ = 30°"
std::string_view englishName(Quantity q);
// "φ=30°时蜗壳宽度a30"
std::string_view chineseName(Quantity q);

}  // namespace inlet
