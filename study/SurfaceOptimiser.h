#pragma once

// The best variant by a flow-based objective, searched on a response surface fitted to the
// study's settled flow results (ResponseSurface.h) by NLopt's COBYLA, as the checks' optimiser
// searches (StudyOptimiser.h): within the ranges, under the same constraints (the variant
// computes, its sections exist, each --require holds), which a variant's checks tell at once.
// The width set, where varied, is a choice: each one is searched.

#include "study/Requirement.h"
#include "study/ResponseSurface.h"
#include "study/StudyPlan.h"
#include "study/VariantEvaluation.h"

#include <functional>
#include <optional>
#include <vector>

namespace inlet {

struct SurfaceOptimum {
    VariantValues values;
    VariantFigures figures;  // the checks' of the suggested variant
    double predicted = 0;    // the surface's figure there
    int evaluations = 0;
};

// The inputs' unit coordinates of a variant: 0 to 1 over each range, a choice 0 or 1.
std::vector<double> unitCoordinates(const std::vector<VariedInput>& inputs, const VariantValues& values);

// `starts` the values of variants that hold every constraint (the search starts from each);
// `maximise` for Vu and theta. None where no point the search met holds every constraint.
std::optional<SurfaceOptimum> optimiseSurface(const std::vector<VariedInput>& inputs, const ResponseSurface& surface,
                                              bool maximise, const std::vector<Requirement>& requirements,
                                              const std::vector<VariantValues>& starts,
                                              const std::function<VariantFigures(const VariantValues&)>& evaluate);

}  // namespace inlet
