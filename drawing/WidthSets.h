#pragma once

// The volute widths of a completed run in two sets, and which one the geometry is drawn from.
//
// The run's own widths (the boxes) take the quadratic rule while a station's area F is at most
// Ft and the linear rule above it. The quadratic rule is the area of a section whose inclined
// upper wall reaches the outer wall below hk; the linear rule the area of one whose upper wall
// rises to hk and runs level to the outer wall. Ft is not the area at which one shape turns
// into the other, so some of the run's widths give a section of the other shape, whose area is
// not F. The area-true set takes at each station the rule whose shape its section has.
//
// Notation (as in the calculation; lengths in mm, areas in mm², pi 3.1416):
//   T    tan aa, the slope of the upper wall
//   ap   bp   the tangent point of the upper wall, (D1/2 + ap, bp)
//   rh   ap + (hk - bp)/T: the width at which the upper wall, rising from the tangent point,
//        meets the outer wall exactly at hk
//   F*   the area of that section: rh·bp - pi·ap·(bp - H2)/4 + (hk - bp)²/(2·T); both rules
//        give the width rh there
// An area-true station with F <= F* takes the quadratic rule, one above it the linear rule, so
// the area-true widths rise with F without a jump.
//
// Where hk <= bp or hk <= H2 the level roof would run through the bell, so no section of the
// form the rules assume exists, and there is no area-true width at all.

#include "run/Calculation.h"
#include "calc/CalcError.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace inlet {

// The widths the drawing, the exports, the sheet's drawings and the section checks use.
enum class WidthSet {
    Computed,  // the run's widths, as the boxes show them
    AreaTrue,  // each station's width by the rule whose section shape it has
};

// "computed", "area-true": in design files and on command lines.
std::string_view widthSetName(WidthSet set);
std::optional<WidthSet> widthSetNamed(std::string_view name);
// "按计算结果", "按断面形状（面积一致）".
std::string_view widthSetChinese(WidthSet set);

// F* of the notation above; none where hk <= bp or hk <= H2, or where it is not finite.
std::optional<double> areaTrueThreshold(const Volute& v);
// The rule an area-true station of area F takes: quadratic up to F* inclusive, linear above.
WidthRule areaTrueRule(double F, double Fstar);

struct WidthSets {
    std::array<Station, 12> computed;  // the run's stations, in angular order
    std::optional<double> Fstar;       // none where no section of the assumed form exists
    // Each station by the rule its section shape needs, held as the run holds its widths
    // (single up to 87 degrees, double at 90); the run's own station where the rules agree.
    // None where there is no F*, or where the width cannot be computed (`failure` says why).
    std::array<std::optional<Station>, 12> areaTrue;
    std::array<std::optional<FailureKind>, 12> failure;

    // Whether stations have sections of the form the rules assume: hk above bp and H2.
    bool sectionsExist() const { return Fstar.has_value(); }
    // The stations of a set; a station without a width is none.
    std::array<std::optional<Station>, 12> chosen(WidthSet set) const;
    // The indexes of the stations whose area-true width is not the run's.
    std::vector<std::size_t> differing() const;
    // The passage width 2·a90 + D1 of a set; none without a width at 90 degrees.
    std::optional<double> passageWidth(WidthSet set, double D1) const;
};

WidthSets widthSets(const Calculation& c);

}  // namespace inlet
