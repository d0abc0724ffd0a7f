// How long the optimiser takes on a check-based objective: the search alone, from the variants
// of a 5 x 3 x 3 study over hk, aa and D1 already computed, as inlet-calc --optimise runs it.

#include "boxes/BoxTexts.h"
#include "study/Requirement.h"
#include "study/StudyOptimiser.h"
#include "study/StudyPlan.h"
#include "study/VariantEvaluation.h"
#include "study/VariedInput.h"

#include <benchmark/benchmark.h>

using namespace inlet;

namespace {

void optimiseOnChecks(benchmark::State& state)
{
    const NumberLocale locale{".", ","};
    const std::vector<VariedInput> inputs{parseVariedInput("hk=1800:2600:5"), parseVariedInput("aa=45:55:3"),
                                          parseVariedInput("D1=2800:3400:3")};
    const std::vector<Requirement> requirements{parseRequirement("v_max<=1.2")};
    const auto evaluate = [&](const VariantValues& v) {
        BoxTexts boxes;
        boxes.type(kPassageLengthBox, "7700");
        for (std::size_t i = 0; i < inputs.size(); ++i)
            boxes.type(*inputs[i].box, inputText(v[i], locale));
        return evaluateVariant(boxes, WidthSet::Computed, StudyDepth::Checks, locale);
    };
    std::vector<std::pair<VariantValues, VariantFigures>> starts;
    for (const VariantValues& v : gridVariants(inputs))
        starts.emplace_back(v, evaluate(v));
    int evaluations = 0;
    for (auto _ : state) {
        const auto best = optimise(inputs, "B", requirements, starts, evaluate);
        if (!best) {
            state.SkipWithError("no best design");
            return;
        }
        evaluations = best->evaluations;
    }
    state.counters["evaluations"] = evaluations;
}
BENCHMARK(optimiseOnChecks)->Unit(benchmark::kMillisecond);

}  // namespace
