#pragma once

// The fluid volume of the passage as the solid is built from it: the drawing's own section
// through the axis and plan, with the conditions under which a solid exists. Qt-free and
// free of OpenCASCADE, so that it is checked and tested without either.
//
// Coordinates as the drawing's, in millimetres: z up from the passage floor, the pump axis at
// x = y = 0, the back of the volute (phi = 0) toward +y, the passage inlet toward -y.
// In the section, r runs across from the pump axis.
//
// Notation (as in the drawing):
//   H        H0 + H1 + H2, the pump inlet section at the top of the conical pipe
//   e        the guide cone's vertical foot: the height where its wall is cut short of the
//            floor, b2/100, so that it meets the floor at a right angle instead of tangentially
//   rh       where the upper wall, rising from the tangent point at aa, reaches hk

#include "run/Calculation.h"
#include "checks/DesignChecks.h"
#include "solid/Walls.h"
#include "drawing/WidthSets.h"
#include "drawing/Shapes.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace inlet {

struct SolidOptions {
    // mm from the pump axis to the passage inlet; where absent, the L box's length.
    std::optional<double> passageLength;
    // mm the pipe is carried on straight above the pump inlet section, for a flow computation
    // whose outlet should lie away from it; 0 puts the outlet at the pump inlet section.
    double outletExtension = 0;
    // mm, the pump's hub as a cylinder on the axis from the pump inlet section up through the
    // outlet extension (its flat end in that section); 0: none. For a flow computation, which
    // checks it against the pipe (PassageBoundary.cpp).
    double hubDiameter = 0;
};

// The foot's height as a share of b2.
inline constexpr double kFootShare = 0.01;

struct SolidDesign {
    // The section through the axis, right-hand side (x = r, y = z).
    double pipeTop = 0;         // H
    double top = 0;             // H + the outlet extension: the outlet
    double hubRadius = 0;       // the hub from H up to the outlet, or 0: none
    Point coneTop;              // the conical pipe at H
    EllipseArc bellMouth;       // from the cone inlet past the rim to the tangent point
    double hk = 0;
    Point roofLevel;            // (D1/2 + rh, hk)
    EllipseArc guideCone;       // from its top (dd0/2) down to the top of its foot
    double footHeight = 0;      // e
    // The plan: the outer wall from phi = 0 to 90 degrees at each degree, (x, y); the last
    // point is (B/2, 0), where the straight side walls run on to the inlet at y = -length.
    std::vector<Point> planWall;
    double length = 0;
};

// The passage length the L box gives, by passageLengthOf() (GivenReadings.h); null where it
// gives none.
std::optional<double> passageLengthFromText(const std::string& text, double D);

// The stations of the widths chosen; throws a Failure (SolidNoWidth) naming the first station
// that has no width in that set.
std::array<Station, 12> solidStations(const Calculation& c, WidthSet set);

// The solid of a completed run with the widths of `stations`, as long as the options say or
// else as the L box's text `lengthText` says. Throws a Failure naming the condition that
// fails: no section shape (hk <= bp), a station from 10 degrees on narrower than ap, the back
// wall on the guide cone, crossing profiles, the guide cone above the cone inlet, a passage
// too short for its roof, an unusable length or outlet extension.
SolidDesign solidDesign(const Calculation& c, const std::array<Station, 12>& stations,
                        const std::string& lengthText, const SolidOptions& options);

// The solid's figures as design checks without a verdict: the fluid volume, the inlet and
// outlet areas and the wetted area.
std::vector<DesignCheck> solidFigureChecks(const SolidFigures& figures, const NumberLocale& locale);

}  // namespace inlet
