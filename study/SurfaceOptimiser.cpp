#include "study/SurfaceOptimiser.h"

#include "InletFeatures.h"
#include "study/CobylaSearch.h"
#include "study/StudyOptimiser.h"

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
    for (const VariantValues& start : starts) {
        std::optional<SurfaceOptimum> found;
        CobylaSearch search(inputs, start, requirements, evaluate, [&](const VariantValues& v, const VariantFigures& f) {
            const double predicted = surface.predict(unitCoordinates(inputs, v));
            if (holds(f, requirements) && (!found || sign * predicted < sign * found->predicted))
                found = SurfaceOptimum{v, f, predicted, 0};
        });
        search.at(search.start());  // the start itself, as a candidate
        search.run(
            [&](CobylaSearch& s, const std::vector<double>& x) {
                return sign * surface.predict(unitCoordinates(inputs, s.values(x)));
            },
            1000);
        evaluations += search.evaluations();
        if (found && (!best || sign * found->predicted < sign * best->predicted))
            best = found;
    }
#endif
    if (best)
        best->evaluations = evaluations;
    return best;
}

}  // namespace inlet
