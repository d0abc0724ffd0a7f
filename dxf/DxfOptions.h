#pragma once

namespace inlet {

struct DxfOptions {
    // Writes each elliptical arc as a polyline within 0.01 mm of it, for CAD programs that
    // misread ELLIPSE entities.
    bool ellipsesAsPolylines = false;
};

}  // namespace inlet
