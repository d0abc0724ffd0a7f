#pragma once

// The words of the design checks, in Chinese and in English, from one table: one row per
// wording, each written with numbered facts {1} ... {6} that both languages fill alike. A fact
// is a figure, a symbol or a station's name, which reads the same in both, or a wording of
// this table itself (a rule's name, a list, a reason), so that no check puts words in a fact
// that only one language reads.
//
// To add a wording: add its name to CheckWording and one row to the table in CheckWords.cpp.
// A test renders every row in both languages and checks that both state the same facts.

#include "messages/Failure.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace inlet {

enum class CheckWording {
    // The stations: {1} the width's name "a40", {2} the angle φ in degrees, then figures in mm.
    NegativeWidth,             // {3} the width
    WallBeyondPumpAxis,        //
    WallMeetsBellMouth,        // {3} the width, {4} ap
    QuadraticWallAboveHk,      // {3} the wall's height, {4} hk, {5} the linear rule's width
    QuadraticWallAboveHkOnly,  // {3} the wall's height, {4} hk: the linear rule does not fit either
    LinearWallBelowHk,         // {3} the wall's height, {4} the quadratic rule's width
    LinearWallBelowHkOnly,     // {3} the wall's height: the quadratic rule does not fit either
    AreaTrueWidthFails,        // {3} the failure's kind
    // {1} {2} the angles, {3} {4} the widths, {5} {6} the rules (QuadraticRule, LinearRule).
    WidthJump,
    QuadraticRule,
    LinearRule,
    // {1} the widths' names (List), {2} AreaTrueWidths or nothing, {3} DrawnAreaTrue or DrawnComputed,
    // {4} the drawn area's largest difference from F in % of F.
    WidthSetsDiffer,
    AreaTrueWidths,  // {1} a figure or a Range
    Range,           // {1} to {2}
    List,            // {1} and one more, {2}
    DrawnAreaTrue,
    DrawnComputed,
    // hk {1}, bp {2}, H2 {3}, each with its unit.
    HkBelowBpAndRim,
    HkBelowBpAboveRim,
    HkAboveBpBelowRim,
    GuideConeWiderThanConeInlet,  // dd0 {1}, D0 {2}
    ConeInletNotNarrowerThanRim,  // D0 {1}, D1 {2}
    FloorClearance,               // {1} H2/D1
    ConeTopNoPumpInlet,           // {1} the cone's top in mm
    ConeTopApart,                 // {1} the cone's top, {2} Ds, {3} the difference in %
    ConeTopClose,                 // the same, within 1 %
    // The passage's sizes in impeller diameters: {1} the ratio.
    BellMouthToImpeller,
    PassageWidthToImpeller,
    PassageHeightToImpeller,
    SectionHeightToImpeller,
    FloorClearanceToImpeller,
    SectionVelocity,           // {1} φ, {2} by the area F, {3} through the section drawn, m/s; {4} F, {5} drawn, mm²; {6} Q, m³/s
    SectionVelocityUndrawn,    // {1} φ, {2} by the area F, {3} F in mm², {4} Q
    ProfilesCross,             // {1} the overlap in mm
    ProfileClearance,          // {1} the clearance in mm
    // {1} m/s through {2} m²; {3} the passage width B in mm; {4} the Q it is for, m³/s.
    VelocityAtConeInlet,
    VelocityUnderRim,
    VelocityAtPassageInlet,
    // {1} the box's symbol, {2} its control, {3} its text, {4} the number read, {5} why.
    TextReadOtherwise,
    FullWidthDigits,
    CommaEndsNumber,
    NoNumber,
    TextAfterNumber,
    BellMouthNotDrawable,  // a1 {1}, b1 {2}, each with its unit
    GuideConeNotDrawable,  // a2 {1}, b2 {2}
    // A box behind a failed run: {1} its caption without the unit, {2} the number read.
    BoxEmpty,
    BoxZero,
    BoxNegative,
    // The passage's solid: {1} the figure with its unit.
    FluidVolume,
    InletArea,
    OutletArea,
    WettedArea,
    PassageWidthDrawn,  // {1} B of the widths drawn, {2} the result B, mm
    HkAbovePumpInlet,   // hk {1}, H {2}, the difference {3}, each with its unit
    // The boxes only the checks, the solid and the flow read: {1} the box's text.
    FlowNotUsable,
    PumpInletNotUsable,
    LengthNotUsable,
    // The passage length used: {1} in mm, then how it was read from the text: as millimetres,
    // {2} the text, {3} LengthReadOtherwise or nothing; as a multiple {2} of D, {3} the text,
    // {4} LengthReadOtherwise or nothing.
    PassageLengthMillimetres,
    PassageLengthTimesD,
    LengthReadOtherwise,  // {1} why: LengthTimesD or TextAfterNumber
    LengthTimesD,
};

// A text in both languages: a fact given as one string reads the same in both.
struct Bilingual {
    Bilingual(std::string both) : chinese(both), english(std::move(both)) {}
    Bilingual(const char* both) : Bilingual(std::string(both)) {}
    Bilingual(std::string inChinese, std::string inEnglish)
        : chinese(std::move(inChinese)), english(std::move(inEnglish)) {}
    std::string chinese;
    std::string english;
};

// A fact as a wording is filled with: a text that reads the same in both languages, or one in
// both. It refers to the text, which outlives the call it is given to.
struct Fact {
    Fact(const std::string& both) : chinese(both), english(both) {}
    Fact(const char* both) : chinese(both), english(both) {}
    Fact(const Bilingual& words) : chinese(words.chinese), english(words.english) {}
    std::string_view chinese;
    std::string_view english;
};

// The wording with its facts filled in, in both languages.
Bilingual checkWords(CheckWording wording, std::initializer_list<Fact> facts = {});

// A wording's pattern in `language`, as the table holds it; how many wordings there are.
std::string_view checkPattern(CheckWording wording, Language language);
std::size_t checkWordingCount();

}  // namespace inlet
