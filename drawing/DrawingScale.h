#pragma once

// The scale a view is printed to, from the series drawings use: 1:1, 1:2, 1:2.5, 1:5 and
// their tens (1:10, 1:20, 1:25, 1:50, 1:100, ...).

#include "drawing/Shapes.h"

namespace inlet {

// The largest scale of the series at which `extent` (millimetres of the passage) fits into
// `widthMm` by `heightMm` of paper, as its denominator (50 for 1:50); 0 where the extent is
// empty or not finite.
double drawingScale(const Extent& extent, double widthMm, double heightMm);

}  // namespace inlet
