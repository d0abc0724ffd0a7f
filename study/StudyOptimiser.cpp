#include "study/StudyOptimiser.h"

#include "InletFeatures.h"
#include "study/CobylaSearch.h"

#include <algorithm>
#include <cmath>

namespace inlet {

bool optimiserAvailable()
{
    return INLET_HAS_NLOPT;
}

bool holds(const VariantFigures& figures, const std::vector<Requirement>& requirements)
{
    return feasible(figures) && std::all_of(requirements.begin(), requirements.end(), [&](const Requirement& r) {
               const auto m = margin(r, figures);
               return m && *m >= 0;
           });
}

#if INLET_HAS_NLOPT
namespace {

constexpr int kMostEvaluations = 3000;

// A failed variant is high in the objective, in finite numbers, which COBYLA needs.
constexpr double kFailed = 1e9;

}  // namespace
#endif

std::optional<OptimiseResult> optimise([[maybe_unused]] const std::vector<VariedInput>& inputs,
                                       [[maybe_unused]] std::string_view objective,
                                       [[maybe_unused]] const std::vector<Requirement>& requirements,
                                       [[maybe_unused]] const std::vector<std::pair<VariantValues, VariantFigures>>& starts,
                                       [[maybe_unused]] const std::function<VariantFigures(const VariantValues&)>& evaluate)
{
    std::optional<OptimiseResult> best;
    int evaluations = 0;
#if INLET_HAS_NLOPT
    std::vector<std::size_t> choices;  // the width set's input, where varied
    for (std::size_t i = 0; i < inputs.size(); ++i)
        if (!inputs[i].box)
            choices.push_back(i);
    // The start of each search: the best study variants that hold every constraint, for each
    // width set; the three best, since a start in another valley may lead lower.
    std::vector<std::pair<VariantValues, VariantFigures>> held;
    for (const auto& s : starts)
        if (holds(s.second, requirements) && figureNamed(s.second, objective))
            held.push_back(s);
    std::stable_sort(held.begin(), held.end(), [&](const auto& a, const auto& b) {
        return *figureNamed(a.second, objective) < *figureNamed(b.second, objective);
    });
    for (const auto& s : held)
        if (!best)
            best = OptimiseResult{s.first, s.second, 0};
    std::vector<VariantValues> from;
    for (const double choice : choices.empty() ? std::vector<double>{0} : std::vector<double>{0, 1}) {
        int taken = 0;
        for (const auto& s : held)
            if ((choices.empty() || s.first[choices.front()] == choice) && taken++ < 3)
                from.push_back(s.first);
    }
    if (from.empty() && !starts.empty())
        from.push_back(starts.front().first);  // none holds: the search may still find one
    for (const VariantValues& start : from) {
        std::optional<OptimiseResult> found;
        CobylaSearch search(inputs, start, requirements, evaluate, [&](const VariantValues& v, const VariantFigures& f) {
            const auto figure = figureNamed(f, objective);
            if (figure && holds(f, requirements) && (!found || *figure < *figureNamed(found->figures, objective)))
                found = OptimiseResult{v, f, 0};
        });
        if (!search.ranged())
            break;
        // At most kMostEvaluations over all the searches: at the checks' 15 µs a variant the
        // optimiser returns within 0.1 s whatever the ranges (bench optimiseOnChecks).
        if (evaluations >= kMostEvaluations)
            break;
        search.run(
            [&](CobylaSearch& s, const std::vector<double>& x) {
                const auto figure = figureNamed(s.at(x), objective);
                return figure ? *figure : kFailed;
            },
            kMostEvaluations - evaluations);
        evaluations += search.evaluations();
        if (found && (!best || *figureNamed(found->figures, objective) < *figureNamed(best->figures, objective)))
            best = found;
    }
#endif
    if (best)
        best->evaluations = evaluations;
    return best;
}

}  // namespace inlet
