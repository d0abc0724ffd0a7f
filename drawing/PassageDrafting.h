#pragma once

// The passage drawn: the views of its geometry (PassageGeometry.h) as shapes, with their
// dimensions, elevations, labels and the note on the sections drawn, placed on one drawing.

#include "drawing/PassageGeometry.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace inlet {

// What a drawing shows beyond the run's values, and how large it is printed.
struct DrawingOptions {
    // Printed at 1:printScale, so that texts come out at their paper heights (dimensions
    // 3.5 mm, titles 5 mm); 0 for the scale the drawing sheet of `paper` gives the views.
    double printScale = 0;
    std::string paper = "auto";            // see drawingSheet()
    std::optional<double> Ds;              // the pump inlet diameter, mm, dimensioned above zero
    std::optional<double> floorElevation;  // m; without it elevations are heights above the floor
};

// The line at the top of a drawing (and of the sheet's drawings and the drawing window) that
// names the sections whose drawn area misses F by more than 0.5 % ("11—11、12—12"), says what
// the red labels mean and, where the other width set draws them true, how to switch to it.
// Empty where every section drawn carries its F.
// Its sentences are drawn one under the other, so that the note holds on an A4 sheet.
struct AreaNote {
    std::vector<std::string> text;   // Chinese
    std::vector<std::string> ascii;
};
// The note's sentences as one line: "…；…".
std::string joinedNote(const std::vector<std::string>& sentences);
// The note a drawing carries (its view AREA_NOTE), as one line; empty without one.
std::string drawingNote(const Drawing& drawing);
std::optional<AreaNote> areaNote(const std::array<std::optional<StationSection>, 12>& sections, WidthSet set);

// All views of a completed run drawn with a set of widths: the section A-A through the axis
// at the 90 degree stations, the plan with the cutting planes of the section and of each
// station, and one view per station section drawn, placed side by side; dimensions for every
// given height and diameter and every result, elevations of the floor, the rim, the cone
// inlet, hk and the top. Where no section of the assumed form exists, the views say so.
Drawing drawPassage(const Calculation& c, const WidthSets& widths, WidthSet set, const DrawingOptions& options = {});
// The same with the run's own widths.
Drawing drawPassage(const Calculation& c, const DrawingOptions& options = {});

}  // namespace inlet
