#pragma once

// The best variant by a check- or solid-based objective, searched directly over the varied
// inputs within their ranges by NLopt's COBYLA: derivative-free (a variant's figures are a run,
// not a formula one can differentiate, and jump where a width rule changes), and the only one
// of NLopt's derivative-free methods that takes inequality constraints as they are (the checks
// without warning, the engineer's bounds). The width set, where varied, is a choice: each one
// is searched. A variant that fails or breaks a constraint is never the answer.

#include "study/Requirement.h"
#include "study/StudyPlan.h"
#include "study/VariantEvaluation.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace inlet {

struct OptimiseResult {
    VariantValues values;  // one per varied input
    VariantFigures figures;
    int evaluations = 0;   // the variants the search computed
};

// Whether this build has the optimiser (NLopt).
bool optimiserAvailable();

// `objective` one of figureNames() (B, volume), minimised; `starts` the study's variants with
// their figures, from whose best that hold every constraint the search starts. Returns none
// where no variant met holds them all.
std::optional<OptimiseResult> optimise(const std::vector<VariedInput>& inputs, std::string_view objective,
                                       const std::vector<Requirement>& requirements,
                                       const std::vector<std::pair<VariantValues, VariantFigures>>& starts,
                                       const std::function<VariantFigures(const VariantValues&)>& evaluate);

// Whether the variant holds every constraint: it computed, its sections exist (feasible()),
// each requirement holds.
bool holds(const VariantFigures& figures, const std::vector<Requirement>& requirements);

}  // namespace inlet
