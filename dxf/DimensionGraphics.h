#pragma once

// A linear dimension drawn with plain lines, filled arrowheads and a line of text, the way
// every CAD program shows it the same.

#include "drawing/Shapes.h"

#include <array>
#include <vector>

namespace inlet {

struct DimensionGraphics {
    std::vector<Line> lines;                   // the extension lines, then the dimension line
    std::vector<std::array<Point, 3>> arrows;  // filled arrowheads, tip first
    Label figure;                              // the dimension's text, anchored at its centre
    double figureAngle = 0;                    // radians: 0 reads along x, π/2 reads up y
};

// The dimension with a figure `textHeight` tall. Each extension line starts a quarter of
// the text height off its measured point and ends half of it past the dimension line; the
// arrowheads are one text height long and a third of it wide, inside the extension lines
// where both have room and outside else (none when the two points are not apart); the
// figure stands on the middle of the dimension line, above it (horizontal) or left of it
// reading upwards (vertical).
DimensionGraphics dimensionGraphics(const Dimension& dimension, double textHeight);

}  // namespace inlet
