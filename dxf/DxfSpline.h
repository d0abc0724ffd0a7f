#pragma once

// An elliptical arc as a DXF SPLINE: a cubic B-spline, not rational, whose knots are clamped
// and evenly spaced, so that CAD programs that ignore a spline's knots and weights and
// assume these (LibreCAD) draw the same curve as those that read them (FreeCAD, AutoCAD).

#include "drawing/Shapes.h"

#include <optional>
#include <vector>

namespace inlet {

struct DxfSpline {
    int degree = 3;
    std::vector<double> knots;      // 0,0,0,0, 1/n, ..., 1,1,1,1: controls + degree + 1 of them
    std::vector<Point> controls;
    double deviation = 0;           // mm: the largest distance from the arc found
};

// The spline with the fewest control points (at most 200) that stays within `tolerance` mm
// of the arc, checked at many points along it; it starts and ends on the arc's end points.
// None for an arc without a positive, finite size or sweep.
std::optional<DxfSpline> dxfSpline(const EllipseArc& arc, double tolerance);

// The spline's point at t in [0, 1].
Point splinePoint(const DxfSpline& spline, double t);

}  // namespace inlet
