#pragma once

// The boxes the calculation does not read but the checks, the solid and the flow do: the
// design flow Q, the pump inlet diameter Ds and the passage length L. Each is read here and
// nowhere else, so that the checks, the sheet, the solid and the flow take the same figure
// from the same text.

#include "boxes/Boxes.h"

#include <optional>
#include <string_view>

namespace inlet {

// The design flow Q in m³/s as its box ("Q(m3/S)") reads: a number at the start of the text,
// as the run reads its lenient boxes. None where the text holds no number, one beyond the
// double range, or one not above zero: no velocity is computed from it.
std::optional<double> designFlowOf(std::string_view text);

// The pump inlet diameter Ds in mm, read as Q is.
std::optional<double> pumpInletOf(std::string_view text);

// The passage length L, from the pump axis to the passage inlet, as the L box gives it. Its
// number is read as the run reads a number at the start of a text; a number up to 20 is a
// multiple of the impeller diameter D (the box's "3.5～5.0" is 3.5·D, the lower end of the
// range usually recommended), a number above 20 is millimetres, as the box's caption reads.
struct PassageLength {
    enum class Taken {
        Millimetres,  // the number as it is
        TimesD,       // the number times D
        NotRead,      // no number above zero, or a multiple of a D that is not above zero
    };
    Taken taken = Taken::NotRead;
    double number = 0;       // the number read from the text
    double millimetres = 0;  // the length used; 0 where not read
    // Whether the text is read as it looks: a plain number of millimetres, "mm" after it at
    // most. A multiple of D, or words or a range after the number, are read otherwise.
    bool asItLooks = false;
};
inline constexpr double kLargestLengthMultiple = 20;

PassageLength passageLengthOf(std::string_view text, double D);

// Each of the three boxes of `boxes` read by its rule above.
std::optional<double> flowRate(const BoxAccess& boxes);
std::optional<double> pumpInletDiameter(const BoxAccess& boxes);
PassageLength passageLength(const BoxAccess& boxes, double D);

}  // namespace inlet
