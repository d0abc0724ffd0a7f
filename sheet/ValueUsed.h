#pragma once

// What the calculation takes from the text of a box of the given-parameter frame, for the
// sheet's table of given dimensions.

#include "boxes/Boxes.h"
#include "calc/NumberLocale.h"

#include <QString>

#include <string>

namespace inlet {

struct ValueUsed {
    QString value;   // the number as the calculation holds it, or "—"
    QString remark;  // how it was read, or why it is not used
};

// The number the box's reading rule takes from the text (the single it rounds to for H2 and
// hk, the strict conversion for dd0, θ and aa in degrees as read, Ds and Q as the checks read
// them), with the box table's remark; "—" for the boxes never read and for a text that cannot
// be read. Numbers are written with the locale's separator.
ValueUsed valueUsed(Box box, const std::string& text, const NumberLocale& locale);

}  // namespace inlet
