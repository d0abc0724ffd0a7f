#include "study/StudyOptimiser.h"

#include "InletFeatures.h"
#if INLET_HAS_NLOPT
#include <nlopt.hpp>
#endif

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

// What the search sees of one point: the objective and the constraints (each <= 0 holds).
struct Search {
    const std::vector<VariedInput>& inputs;
    std::vector<std::size_t> ranged;  // the inputs searched over, in unit coordinates
    VariantValues fixed;              // the values of the others (the width set)
    std::string_view objective;
    const std::vector<Requirement>& requirements;
    const std::function<VariantFigures(const VariantValues&)>& evaluate;
    std::optional<OptimiseResult> best;
    int evaluations = 0;
    // The last point's figures, which the constraints read after the objective.
    std::vector<double> lastX;
    VariantFigures last;

    VariantValues values(const std::vector<double>& x) const
    {
        VariantValues v = fixed;
        for (std::size_t k = 0; k < ranged.size(); ++k)
            v[ranged[k]] = valueAt(inputs[ranged[k]], std::clamp(x[k], 0.0, 1.0));
        return v;
    }
    const VariantFigures& at(const std::vector<double>& x)
    {
        if (x == lastX && evaluations > 0)
            return last;
        lastX = x;
        const VariantValues v = values(x);
        last = evaluate(v);
        ++evaluations;
        const auto figure = figureNamed(last, objective);
        if (figure && holds(last, requirements)
            && (!best || *figure < *figureNamed(best->figures, objective)))
            best = OptimiseResult{v, last, 0};
        return last;
    }
};

constexpr int kMostEvaluations = 3000;

// A failed variant is far outside every constraint and high in the objective, in finite
// numbers, which COBYLA needs.
constexpr double kFailed = 1e6;

double objectiveOf(const std::vector<double>& x, std::vector<double>&, void* data)
{
    Search& s = *static_cast<Search*>(data);
    const auto figure = figureNamed(s.at(x), s.objective);
    return figure ? *figure : kFailed * 1e3;
}

double sectionsOf(const std::vector<double>& x, std::vector<double>&, void* data)
{
    const VariantFigures& f = static_cast<Search*>(data)->at(x);
    return f.failure ? kFailed : f.shapeWarnings;
}

struct Bound {
    Search* search;
    const Requirement* requirement;
};

double requirementOf(const std::vector<double>& x, std::vector<double>&, void* data)
{
    const Bound& b = *static_cast<Bound*>(data);
    const auto m = margin(*b.requirement, b.search->at(x));
    return m ? -*m : kFailed;
}

std::vector<double> unitOf(const std::vector<VariedInput>& inputs, const std::vector<std::size_t>& ranged,
                           const VariantValues& v)
{
    std::vector<double> x;
    for (const std::size_t i : ranged)
        x.push_back(inputs[i].to > inputs[i].from ? (v[i] - inputs[i].from) / (inputs[i].to - inputs[i].from) : 0);
    return x;
}

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
    std::vector<std::size_t> ranged;
    std::vector<std::size_t> choices;  // the width set's input, where varied
    for (std::size_t i = 0; i < inputs.size(); ++i)
        (inputs[i].box ? ranged : choices).push_back(i);
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
        if (ranged.empty())
            break;
        Search search{inputs, ranged, start, objective, requirements, evaluate, std::nullopt, 0, {}, {}};
        nlopt::opt opt(nlopt::LN_COBYLA, unsigned(ranged.size()));
        opt.set_lower_bounds(std::vector<double>(ranged.size(), 0.0));
        opt.set_upper_bounds(std::vector<double>(ranged.size(), 1.0));
        opt.set_min_objective(objectiveOf, &search);
        opt.add_inequality_constraint(sectionsOf, &search, 0.5);
        std::vector<Bound> bounds;
        bounds.reserve(requirements.size());
        for (const Requirement& r : requirements) {
            bounds.push_back({&search, &r});
            opt.add_inequality_constraint(requirementOf, &bounds.back(), 0);
        }
        opt.set_initial_step(0.1);
        opt.set_xtol_abs(1e-7);  // below the 0.01 mm the texts keep over any range
        // At most kMostEvaluations over all the searches: at the checks' 15 µs a variant the
        // optimiser returns within 0.1 s whatever the ranges (bench optimiseOnChecks).
        if (evaluations >= kMostEvaluations)
            break;
        opt.set_maxeval(kMostEvaluations - evaluations);
        std::vector<double> x = unitOf(inputs, ranged, start);
        double value = 0;
        try {
            opt.optimize(x, value);
        } catch (const std::exception&) {
            // COBYLA stops on a round-off or a limit: the best point met so far stands.
        }
        evaluations += search.evaluations;
        if (search.best && (!best || *figureNamed(search.best->figures, objective) < *figureNamed(best->figures, objective)))
            best = search.best;
    }
#endif
    if (best)
        best->evaluations = evaluations;
    return best;
}

}  // namespace inlet
