#pragma once

// The passage's walls worked out from a completed run, in millimetres: r across the passage
// from the pump axis, z up from the passage floor. The drawing (PassageDrafting.h), the solid,
// the flow case and the checks all take the walls from here.
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

#include "run/Calculation.h"
#include "drawing/Shapes.h"
#include "drawing/WidthSets.h"

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
// Whether a section of this shape is one of the two forms the width rules assume.
inline bool isAssumedForm(SectionShape shape)
{
    return shape == SectionShape::Inclined || shape == SectionShape::Level;
}
// The area of the section a width gives, counted as the width rules count it (the bell's lip
// as a quarter ellipse of semi-axes ap and bp - H2, pi 3.1416), in mm²; none where the
// section is not of an assumed form or hk does not lie above bp and H2.
std::optional<double> sectionArea(const Calculation& c, double a);
// The area of the section a width gives as it is drawn, in mm²: the bell's lip the true arc of
// the bell-mouth ellipse between the rim and the tangent point (or the point where the outer
// wall meets it), not the rules' quarter ellipse. None where hk does not lie above bp and H2,
// where the wall stands beyond the pump axis, or where the bell's ellipse has no size. Every
// output that labels or divides by the section drawn reads this one figure.
std::optional<double> drawnArea(const Calculation& c, double a);
// Whether a section drawn with area `drawn` misses the station's F by more than 0.5 % (of F):
// its views carry F and the difference in red (Layer::Deviation) and the drawing names it.
bool drawnAreaDiffers(double drawn, double F);
// The difference of the drawn area from F in % of F.
inline double drawnAreaPercent(double drawn, double F) { return (drawn - F) / F * 100; }
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
    std::optional<double> area;  // drawnArea() of the station's width
};

StationSection stationSection(const Calculation& c, const Station& station);

// The outer wall in plan: its radius at any angle between the first and the last station that
// has a width, through their radii D1/2 + a by monotone cubic interpolation (Fritsch and
// Carlson), so that the wall passes through every station point without overshooting between
// them. The plan draws it and the solid is built on it.
class PlanWall {
public:
    PlanWall(const std::array<Station, 12>& stations, double rimRadius);
    PlanWall(const std::array<std::optional<Station>, 12>& stations, double rimRadius);
    // Whether at least two stations have a width, so that there is a wall.
    bool exists() const { return phi_.size() >= 2; }
    double firstPhi() const { return phi_.front(); }  // degrees; only where it exists
    double lastPhi() const { return phi_.back(); }
    double radius(double phiDegrees) const;  // mm from the pump axis

private:
    std::vector<double> phi_, r_, slope_;
};

// The station sections drawn with a set of widths: none at all where hk does not lie above bp
// and H2 (no section of the assumed form exists), none at a station without a width. The
// computed set draws each of its widths as it stands, an outer wall meeting the bell included
// (it is what the boxes say); the area-true set only sections of the form its rules assume.
std::array<std::optional<StationSection>, 12> drawnSections(const Calculation& c, const WidthSets& widths,
                                                            WidthSet set);
// The area of each station's section as drawnSections() draws it (drawnArea() of its width),
// none where no section is drawn: the one figure the drawing's labels, the sheet's table and
// chart, the workbook and the velocity checks give as the section drawn, so that none of them
// gives an area or a velocity of a section the drawing does not show.
std::array<std::optional<double>, 12> drawnSectionAreas(const Calculation& c, const WidthSets& widths, WidthSet set);

// The outer wall in plan (see PlanWall) at each whole degree from the first station that has
// a width to the last: x = r·sin φ across the passage, y = r·cos φ toward the back (the
// right-hand half; the left is its mirror image in x). Empty without two such stations.
std::vector<Point> outerWallInPlan(const std::array<std::optional<Station>, 12>& stations, double rimRadius);

// (sin φ, cos φ) for each whole degree φ from 0 to 90: a station's direction in the plan.
const Point& unitAtDegree(int degree);

}  // namespace inlet
