#include "study/SurfaceOptimiser.h"

#include "InletFeatures.h"
#include "study/StudyOptimiser.h"
#if INLET_HAS_NLOPT
#include <nlopt.hpp>
#endif

#include <algorithm>

namespace inlet {

std::vector<double> unitCoordinates(const std::vector<VariedInput>& inputs, const VariantValues& values)
{
    std::vector<double> x;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        x.push_back(!inputs[i].box               ? values[i]
                    : inputs[i].to > inputs[i].from ? (values[i] - inputs[i].from) / (inputs[i].to - inputs[i].from)
                                                    : 0.0);
    return x;
}

#if INLET_HAS_NLOPT
namespace {

struct Search {
    const std::vector<VariedInput>& inputs;
    std::vector<std::size_t> ranged;
    VariantValues fixed;
    const ResponseSurface& surface;
    double sign;  // 1 minimises, -1 maximises
    const std::vector<Requirement>& requirements;
    const std::function<VariantFigures(const VariantValues&)>& evaluate;
    std::optional<SurfaceOptimum> best;
    int evaluations = 0;
    std::vector<double> lastX;
    VariantFigures last;

    VariantValues values(const std::vector<double>& x) const
    {
        VariantValues v = fixed;
        for (std::size_t k = 0; k < ranged.size(); ++k)
            v[ranged[k]] = valueAt(inputs[ranged[k]], std::clamp(x[k], 0.0, 1.0));
        return v;
    }
    // The variant's checks, once a point; the best that holds every constraint kept.
    const VariantFigures& at(const std::vector<double>& x)
    {
        if (x == lastX && evaluations > 0)
            return last;
        lastX = x;
        const VariantValues v = values(x);
        last = evaluate(v);
        ++evaluations;
        const double predicted = surface.predict(unitCoordinates(inputs, v));
        if (holds(last, requirements) && (!best || sign * predicted < sign * best->predicted))
            best = SurfaceOptimum{v, last, predicted, 0};
        return last;
    }
};

constexpr double kFailed = 1e6;

double objectiveOf(const std::vector<double>& x, std::vector<double>&, void* data)
{
    Search& s = *static_cast<Search*>(data);
    return s.sign * s.surface.predict(unitCoordinates(s.inputs, s.values(x)));
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

}  // namespace
#endif

std::optional<SurfaceOptimum> optimiseSurface([[maybe_unused]] const std::vector<VariedInput>& inputs,
                                              [[maybe_unused]] const ResponseSurface& surface,
                                              [[maybe_unused]] bool maximise,
                                              [[maybe_unused]] const std::vector<Requirement>& requirements,
                                              [[maybe_unused]] const std::vector<VariantValues>& starts,
                                              [[maybe_unused]] const std::function<VariantFigures(const VariantValues&)>& evaluate)
{
    std::optional<SurfaceOptimum> best;
    int evaluations = 0;
#if INLET_HAS_NLOPT
    const double sign = maximise ? -1 : 1;
    std::vector<std::size_t> ranged;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        if (inputs[i].box)
            ranged.push_back(i);
    for (const VariantValues& start : starts) {
        Search search{inputs, ranged, start, surface, sign, requirements, evaluate, std::nullopt, 0, {}, {}};
        std::vector<double> x;
        for (const std::size_t i : ranged)
            x.push_back(unitCoordinates(inputs, start)[i]);
        search.at(x);  // the start itself, as a candidate
        if (!ranged.empty()) {
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
            opt.set_xtol_abs(1e-7);
            opt.set_maxeval(1000);
            double value = 0;
            try {
                opt.optimize(x, value);
            } catch (const std::exception&) {
                // COBYLA stops on a round-off or a limit: the best point met so far stands.
            }
        }
        evaluations += search.evaluations;
        if (search.best && (!best || sign * search.best->predicted < sign * best->predicted))
            best = search.best;
    }
#endif
    if (best)
        best->evaluations = evaluations;
    return best;
}

}  // namespace inlet
