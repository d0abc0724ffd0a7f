#pragma once

// An elliptical arc as a DXF ELLIPSE entity holds it.

#include "drawing/Shapes.h"

#include <optional>

namespace inlet {

// The ellipse's points are centre + majorAxis·cos v + minorAxis·sin v for v from start to
// end, counter-clockwise, where minorAxis is majorAxis turned a quarter turn
// counter-clockwise and scaled by ratio. start lies in [0, 2π) and end in (0, 2π]; end <
// start means the arc passes v = 0.
struct DxfEllipse {
    Point centre;
    Point majorAxis;   // the end point of the major axis, relative to the centre
    double ratio = 1;  // minor / major, at most 1
    double start = 0;
    double end = 0;
};

// The smallest ratio a CAD program accepts in an ELLIPSE.
inline constexpr double kSmallestEllipseRatio = 1e-6;

// An arc with its axes along x and y as an ELLIPSE: the major axis along x when rx >= ry,
// else along y, where the parameters shift by -π/2. None for an arc an ELLIPSE cannot hold:
// an axis that is not positive and finite, a ratio below kSmallestEllipseRatio, or an arc
// that sweeps no angle (an ELLIPSE from v to v is the whole ellipse).
std::optional<DxfEllipse> dxfEllipse(const EllipseArc& arc);

}  // namespace inlet
