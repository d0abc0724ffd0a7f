#pragma once

// The scale bar printed under each drawing of the sheet, drawn as the drawing window and the
// exported drawings draw theirs.

#include <QImage>

namespace inlet {

// A scale bar for a drawing printed to 1:`scale`, at `dpi` pixels per inch: the longest round
// length of the passage (1, 2 or 5 times a power of ten millimetres) at most `maxLengthMm` of
// paper long, in parts black and white in turn, its length in mm above it.
QImage scaleBarPicture(double scale, int dpi, double maxLengthMm);

}  // namespace inlet
