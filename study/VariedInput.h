#pragma once

// One input a study varies (--vary NAME=FROM:TO:COUNT): a dimension over a range, or the
// width set as a choice of both (--vary widths).

#include "boxes/Boxes.h"
#include "calc/NumberLocale.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inlet {

struct VariedInput {
    std::string name;         // D1, H1, H2, dd0, aa, hk or widths
    std::optional<Box> box;   // the box it is typed into; none for widths
    double from = 0;
    double to = 0;
    int count = 1;            // the grid's values from FROM to TO; 2 for widths
};

// The names a study varies, as the option names them.
const std::vector<std::string_view>& variedNames();

// Reads "hk=1800:2600:5" (or "widths", "widths=computed,area-true"). Throws a Failure
// (StudyInputNotVaried, StudyRangeNotUsable) naming the argument: FROM and TO must be numbers
// the box accepts as a dimension (above 0; an angle below 90), FROM not above TO, COUNT 1 to
// 1000 (1 where FROM is TO).
VariedInput parseVariedInput(std::string_view text);

// The value at `unit` (0 to 1) of the range: FROM to TO; for widths 0 (computed) or 1.
double valueAt(const VariedInput& input, double unit);

// The box text of `value`: rounded to 0.01, as short as it reads back, with the locale's
// decimal separator (dd0 is read in the user's locale).
std::string inputText(double value, const NumberLocale& locale);

}  // namespace inlet
