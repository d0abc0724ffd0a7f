#pragma once

// Where a computed design does not hold together, and the figures an engineer looks at
// beside the drawing. Checks are information: they never stop a run or change a result.

#include "boxes/Boxes.h"
#include "run/Calculation.h"
#include "messages/Failure.h"
#include "calc/NumberLocale.h"
#include "drawing/WidthSets.h"

#include <optional>
#include <string>
#include <vector>

namespace inlet {

enum class CheckKind {
    NegativeWidth,                // a station's outer wall stands inside the bell-mouth rim
    WallMeetsBellMouth,           // ... or meets the bell's lip below the tangent point
    QuadraticRuleWallAboveHk,     // quadratic rule, but the outer wall is taller than hk
    LinearRuleWallBelowHk,        // linear rule, but the wall comes before the upper wall reaches hk
    WidthJump,                    // consecutive stations take different rules
    HkBelowBp,                    // the section height lies below the tangent point
    GuideConeWiderThanConeInlet,  // dd0 >= D0
    ConeInletNotNarrowerThanRim,  // D0 >= D1
    ProfilesCross,                // the bell-mouth wall and the guide cone cross
    ProfileClearance,             // their smallest clearance
    VelocityAtConeInlet,          // Q / (pi·(D0² - dd0²)/4): the guide cone's top lies in that plane
    VelocityUnderRim,             // Q / (pi·D1·H2)
    VelocityAtPassageInlet,       // Q / (B·hk), B of the widths drawn
    FloorClearance,               // H2 / D1
    TextReadOtherwise,            // a box's text holds digits or words the reading does not take
    NotDrawable,                  // a part of the drawing that cannot be drawn
    WidthSetsDiffer,              // the computed and the area-true widths differ, at these stations
    AreaTrueWidthFails,           // a station's area-true width cannot be computed
    ConeTopAgainstPumpInlet,      // the top of the conical pipe, D0 - 2·H0·tan θ, against Ds
    ProportionToImpeller,         // D1/D, B/D, H/D, hk/D, H2/D
    SectionVelocity,              // Q·(φ/360) through a station's section
    FluidVolume,                  // the passage's solid: its fluid volume, m³
    InletArea,                    // ... the area of its inlet, m²
    OutletArea,                   // ... of its outlet, the pump inlet section, m²
    WettedArea,                   // ... of every wall the water wets, m²
    PassageWidthDrawn,            // B of the widths drawn, where it is not the result box's B
    HkAbovePumpInlet,             // hk above H: the volute roof stands above the pump inlet section
    PassageLength,                // L as read from its box, mm from the pump axis to the passage inlet
    BoxNotUsable,                 // Q, Ds or L whose text gives no figure above zero
};

struct DesignCheck {
    CheckKind kind;
    bool warning = true;                 // false for figures shown without a verdict
    std::string subject;                 // the station or quantity: "a40", "hk", "Q"
    double figure = 0;                   // the figure that triggered it
    std::string unit;                    // "mm", "m/s", "" for a ratio
    std::optional<double> advisedWidth;  // the other rule's width, where its shape holds
    // The line in both languages, from the table of CheckWords.h: the window and the sheet
    // show the Chinese, inlet-calc the one of its locale (checkText()).
    std::string chinese;
    std::string english;
    std::optional<double> flow;  // the design flow Q a velocity is for, m³/s
};

// The check's line in `language`.
inline const std::string& checkText(const DesignCheck& check, Language language)
{
    return language == Language::Chinese ? check.chinese : check.english;
}

// How far the guide cone reaches outside the bell-mouth wall at the same height, in mm: above
// zero where the two cross.
double profilesOverlap(const Calculation& c);

// The stable name of a kind, for inlet-calc's JSON and CSV: "quadratic-rule-wall-above-hk".
std::string_view checkName(CheckKind kind);

// The checks of a completed run whose geometry is drawn with the widths `set`. `boxes` holds
// the texts the run read (and the pump inlet Ds and the design flow Q, which only the checks
// read); figures are written with the locale's decimal separator. Where the two width sets
// differ, the first check says so.
std::vector<DesignCheck> designChecks(const Calculation& c, const WidthSets& widths, WidthSet set,
                                      const BoxAccess& boxes, const NumberLocale& locale);
// The boxes whose text the reading takes otherwise than it looks (full-width digits, a decimal
// comma, words after the number other than the box's unit): the checks of kind
// TextReadOtherwise, as designChecks() lists them, for a run that completed or not.
std::vector<DesignCheck> textChecks(const BoxAccess& boxes, const NumberLocale& locale);
// The same drawn with the run's own widths.
std::vector<DesignCheck> designChecks(const Calculation& c, const BoxAccess& boxes,
                                      const NumberLocale& locale);

}  // namespace inlet
