#pragma once

// How the text of a box becomes a number: the reading rule each box has in the box table.

#include "calc/NumberLocale.h"

#include <string_view>

namespace inlet {

enum class Reading {
    Lenient,        // a number at the start of the text (double)
    LenientSingle,  // the same, rounded to single (H2, hk)
    ThetaRadians,   // a number at the start, degrees to radians as the x87 unit does it, single
    AaRadians,      // a number at the start, degrees to radians (double)
    Strict,         // the whole text a number in the user's locale, single (dd0)
    ChecksOnly,     // a number at the start, read by the design checks alone (Ds, Q)
    Shown,          // never read (L, rs)
    Result,         // written by the run
};

// Whether the run or the checks read a number at the start of the text.
bool readsLeniently(Reading reading);

// The number the text gives in the box's own unit (degrees for the angles) and precision, as
// the sheet states it. Throws CalcError where the text cannot be read (a type mismatch, an
// overflow). For boxes that are not read, 0.
double readNumber(Reading reading, std::string_view text, const NumberLocale& locale);
// What the calculation takes: readNumber(), and the angles in radians.
double readValue(Reading reading, std::string_view text, const NumberLocale& locale);

}  // namespace inlet
