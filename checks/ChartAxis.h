#pragma once

// What the program's charts on paper share of their axes (the volute chart, a study's Pareto
// chart): round ticks, the decimals their figures need, and the value axis at a plot's left
// edge. Each chart chooses its own range (the volute chart keeps 0 on its axis, the Pareto
// chart a margin about its points).

#include "calc/NumberLocale.h"
#include "drawing/Shapes.h"

#include <functional>
#include <vector>

namespace inlet {

struct ChartTicks {
    double low = 0;
    double high = 1;
    double step = 0.2;
};

// Ticks from below `least` to above `most`, their step the least of 1, 2, 2.5 or 5 times a
// power of ten that is not below `raw` (a finite number above 0).
ChartTicks roundTicks(double least, double most, double raw);

// The decimals a figure needs to show each multiple of `step` (at most 6).
int tickDecimals(double step);

// The value axis at the plot's left edge `left`: at each tick (at most 13), `position` giving
// its height on paper, a mark 1 mm long before the edge and its figure right-aligned before
// that, `figureHeight` high; where `zeroLine` and the axis goes below 0, the zero line across to
// `right`.
void addValueAxis(std::vector<Shape>& shapes, const ChartTicks& ticks, double left, double right,
                  const std::function<double(double)>& position, double figureHeight, bool zeroLine,
                  const NumberLocale& locale);

}  // namespace inlet
