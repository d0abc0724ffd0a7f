#pragma once

// A bound the engineer puts on a named figure (--require "v_max<=1.2", "B<=6500",
// "no warnings"): no bound is assumed that was not typed.

#include "study/VariantEvaluation.h"

#include <string>
#include <string_view>

namespace inlet {

struct Requirement {
    std::string figure;     // one of figureNames()
    bool atMost = true;     // figure <= bound, else figure >= bound
    double bound = 0;
    std::string text;       // as typed, for the messages that name it
};

// Throws a Failure (StudyRequireNotUsable) naming the text.
Requirement parseRequirement(std::string_view text);

// How far the variant is inside the bound (>= 0 holds); none where it has no such figure.
std::optional<double> margin(const Requirement& requirement, const VariantFigures& figures);

}  // namespace inlet
