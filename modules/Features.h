#pragma once

// The optional features this build has, as the code asks them: `if (features::solid())`.
// Decided in one place, cmake/InletFeatures.cmake (each on where its library is found), which
// writes InletFeatures.h. The preprocessor's INLET_HAS_<NAME> stays only around what includes
// a feature's headers or calls what only a build with it compiles or links.

#include "InletFeatures.h"

namespace inlet::features {

// The drawing as SVG (Qt Svg).
constexpr bool svg() { return INLET_HAS_SVG == 1; }
// Excel workbooks (libxlsxwriter).
constexpr bool xlsx() { return INLET_HAS_XLSX == 1; }
// The calculation sheet's ODT with page styles, header and contents (libodfgen).
constexpr bool odt() { return INLET_HAS_ODT == 1; }
// The passage as a solid, STEP and STL (OpenCASCADE, in the module inlet-solid).
constexpr bool solid() { return INLET_HAS_SOLID == 1; }
// The study window, 设计 → 方案比选…, with its charts (Qt Charts, in the module inlet-study).
constexpr bool charts() { return INLET_HAS_CHARTS == 1; }

}  // namespace inlet::features
