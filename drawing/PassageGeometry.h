#pragma once

// The passage's walls worked out from a completed run, in millimetres: r across the passage
// from the pump axis, z up from the passage floor.
//
// Notation (as in the calculation; lengths in mm, angles in radians):
//   t        tan theta, the cone contraction
//   T        tan aa, the slope of the volute's upper wall
//   H        H0 + H1 + H2, the top of the passage
//   a1, b1   semi-axes (across, up) of the bell-mouth wall's ellipse, centre (D1/2, H2 + b1)
//   a2, b2   semi-axes of the guide cone's ellipse, centre (D1/2, H1 + H2)
//   ap, bp   the tangent point of the upper wall lies at (D1/2 + ap, bp)
//   a        a station's width, measured outward from the bell-mouth rim at r = D1/2
//   rh       the width at which the upper wall, rising from the tangent point, reaches hk:
//            ap + (hk - bp)/T

#include "Calculation.h"
#include "Shapes.h"

#include <array>
#include <optional>
#include <vector>

namespace inlet {

// The profiles of the section through the axis, on the right-hand side (r > 0).
struct PassageProfile {
    Point coneTop;        // (D0/2 - H0·t, H): where the conical pipe meets the top
    Point coneInlet;      // (D0/2, H1 + H2)
    Point rim;            // (D1/2, H2)
    Point tangentPoint;   // (D1/2 + ap, bp)
    Point guideConeTop;   // (dd0/2, H1 + H2)
    Point guideConeFoot;  // (D1/2, 0)
    // The bell-mouth wall from the cone inlet past the rim to the tangent point; the guide
    // cone from its top down to the floor. Absent where an axis is zero, negative or not
    // finite.
    std::optional<EllipseArc> bellMouth;
    std::optional<EllipseArc> guideCone;
};

PassageProfile passageProfile(const Calculation& c);

// What a station's section looks like with the width the run gave it.
enum class SectionShape {
    InsideRim,          // a < 0: the outer wall stands inside the bell-mouth rim
    BelowTangentPoint,  // 0 <= a < ap: the outer wall meets the bell's lip
    Inclined,           // ap <= a <= rh: the inclined upper wall reaches the outer wall
    Level,              // a > rh: the upper wall reaches hk and runs level to the outer wall
};

// The shape a width would give the section; the quadratic rule assumes Inclined and the
// linear rule Level.
SectionShape sectionShapeFor(const Calculation& c, double a);
// The height bp + T·(a - ap) at which the inclined upper wall would meet the outer wall.
double inclinedWallHeight(const Calculation& c, double a);

// One station's section. `outline` runs from the rim down the line r = D1/2 to the floor,
// along the floor, up the outer wall, back along the upper wall to the tangent point, and
// closes with the chord from the tangent point to the rim; the bell's lip between these two
// is `lip`, an arc of the bell-mouth wall.
struct StationSection {
    Station station;
    SectionShape shape = SectionShape::Inclined;
    std::vector<Point> outline;
    std::optional<EllipseArc> lip;
};

StationSection stationSection(const Calculation& c, const Station& station);

// The outer wall in plan: its radius at any angle from 0 to 90 degrees, through the
// stations' radii D1/2 + a by monotone cubic interpolation (Fritsch and Carlson), so that
// the wall passes through every station point without overshooting between them. The plan
// draws it and the solid is built on it.
class PlanWall {
public:
    PlanWall(const std::array<Station, 12>& stations, double rimRadius);
    double radius(double phiDegrees) const;  // mm from the pump axis

private:
    std::array<double, 12> phi_{}, r_{}, slope_{};
};

// All views of a completed run: the section through the axis at the 90 degree stations, the
// plan, and one section per station, placed side by side.
Drawing drawPassage(const Calculation& c);

}  // namespace inlet
