#pragma once

// The Pareto front of a study as a small chart, drawn with the drawing's own shapes as the
// volute chart is (VoluteChart.h), so that the sheet prints it as lines and texts: every
// variant that holds the constraints as a small square, the front as a thick line through
// round markers, the chosen design as a large circle named 选定.
//
// Coordinates are paper millimetres, y up: the chart is printed at 1:1 (Drawing::paper).

#include "calc/NumberLocale.h"
#include "drawing/Shapes.h"

#include <optional>
#include <string>
#include <vector>

namespace inlet {

inline constexpr double kParetoChartWidthMm = 150;
inline constexpr double kParetoChartHeightMm = 95;

struct ParetoChartPoint {
    double x = 0;
    double y = 0;
    bool front = false;
};

// `points` the variants (x the objective), `chosen` the chosen design; the axes' titles in
// Chinese with their ASCII for CAD fonts.
Drawing paretoChart(const std::vector<ParetoChartPoint>& points, std::optional<ParetoChartPoint> chosen,
                    const std::string& xTitle, const std::string& xAscii, const std::string& yTitle,
                    const std::string& yAscii, const NumberLocale& locale);

}  // namespace inlet
