#pragma once

// The volute along φ as a chart of three panels over the stations 0 to 90 degrees, drawn with
// the drawing's own shapes so that the window, the SVG and PNG files and the sheet show the
// same lines:
//   the station area: F = pi·D1·H2·φ/360 that the station is to carry, and the area of the
//     section its drawn width gives (as the rules count it);
//   the width: the run's widths (the boxes) and the area-true widths, so that a jump where the
//     run's rule changes stands out;
//   the mean section velocity Q·(φ/360) over F, and over the area drawn.
// The first series of a panel is drawn as a thick line with round markers, the second as a
// dashed line with square markers; a station without a value leaves a gap.
//
// Coordinates are paper millimetres, y up: the chart is printed at 1:1 (Drawing::paper).

#include "run/Calculation.h"
#include "calc/NumberLocale.h"
#include "drawing/Shapes.h"
#include "drawing/WidthSets.h"

#include <optional>

namespace inlet {

// A screen that enlarges the chart's texts to be read enlarges them at most this many times:
// the legends and titles are laid out to stay apart up to it.
inline constexpr double kMostTextEnlargement = 2;

// Paper size of the chart, mm.
inline constexpr double kChartWidthMm = 160;
inline constexpr double kChartHeightMm = 172;

// The chart of a completed run drawn with the widths `set`; `Q` the design flow in m³/s,
// none leaving the velocity panel empty with a note. Figures use the locale's separator.
Drawing voluteChart(const Calculation& c, const WidthSets& widths, WidthSet set, std::optional<double> Q,
                    const NumberLocale& locale);

}  // namespace inlet
