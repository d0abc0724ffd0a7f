#pragma once

// The scale bar printed under each drawing of the sheet.

#include "NumberLocale.h"

#include <QImage>

namespace inlet {

// A scale bar for a drawing printed to 1:`scale`, at `dpi` pixels per inch: two to five
// segments of a round length of the passage (0.1 m to 100 m), black and white in turn, with
// their lengths in metres beneath; at most `maxLengthMm` of paper long.
QImage scaleBar(double scale, int dpi, double maxLengthMm, const NumberLocale& locale);

// The length of one segment of that bar, in millimetres of the passage.
double scaleBarStep(double scale, double maxLengthMm);

}  // namespace inlet
