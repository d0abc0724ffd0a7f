#pragma once

// One search of NLopt's COBYLA over the ranged inputs of a study (the width set, where varied,
// stays the start's), in unit coordinates, under the constraints every choice carries: the
// variant computes and its sections exist, and each requirement holds, as a variant's checks
// tell. What it minimises is its caller's (a variant's figure, a response surface's
// prediction); each variant it computes is shown to `seen`, which keeps the best. Both
// optimisers search with it (StudyOptimiser.h, SurfaceOptimiser.h).

#include "study/Requirement.h"
#include "study/StudyPlan.h"
#include "study/VariantEvaluation.h"
#include "study/VariedInput.h"

#include <functional>
#include <vector>

namespace inlet {

class CobylaSearch {
public:
    using Evaluate = std::function<VariantFigures(const VariantValues&)>;
    using Seen = std::function<void(const VariantValues&, const VariantFigures&)>;

    CobylaSearch(const std::vector<VariedInput>& inputs, VariantValues start, const std::vector<Requirement>& requirements,
                 const Evaluate& evaluate, Seen seen);

    // Whether there is anything to search: some input has a range.
    bool ranged() const { return !ranged_.empty(); }
    // The start, in the search's coordinates.
    std::vector<double> start() const;
    // The variant's values at `x`.
    VariantValues values(const std::vector<double>& x) const;
    // The variant at `x`, computed once a point (the constraints ask after the objective).
    const VariantFigures& at(const std::vector<double>& x);
    // COBYLA from the start, minimising `objective`, at most `mostEvaluations` of it; a stop
    // on a round-off or a limit leaves the best met so far. Nothing without NLopt.
    void run(const std::function<double(CobylaSearch&, const std::vector<double>&)>& objective, int mostEvaluations);
    // The variants computed.
    int evaluations() const { return evaluations_; }

private:
    const std::vector<VariedInput>& inputs_;
    std::vector<std::size_t> ranged_;  // the inputs searched over
    VariantValues fixed_;              // the start's values (the width set's stays)
    const std::vector<Requirement>& requirements_;
    const Evaluate& evaluate_;
    Seen seen_;
    int evaluations_ = 0;
    std::vector<double> lastX_;
    VariantFigures last_;
};

}  // namespace inlet
