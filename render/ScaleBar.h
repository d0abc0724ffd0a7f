#pragma once

// A scale bar: a round length of the drawing (1, 2 or 5 times a power of ten millimetres)
// divided into parts drawn alternately filled and open.

namespace inlet {

struct ScaleBar {
    double length = 0;  // mm of the drawing
    int parts = 0;

    // The longest round length at most `maxLength` device units long at `scale` device
    // units per millimetre; none (length 0) for a scale that is not positive and finite.
    static ScaleBar longestWithin(double scale, double maxLength);
};

}  // namespace inlet
