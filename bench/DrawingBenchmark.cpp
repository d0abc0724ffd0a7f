// How long the drawing's geometry and the design checks of one design take.

#include "BoxTexts.h"
#include "CalculationRun.h"
#include "DesignChecks.h"
#include "PassageGeometry.h"

#include <benchmark/benchmark.h>

using namespace inlet;

namespace {

void geometryAndChecks(benchmark::State& state)
{
    const NumberLocale locale{".", ","};
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    const Calculation c = runCalculation(boxes, locale);
    for (auto _ : state) {
        Drawing drawing = drawPassage(c);
        std::vector<DesignCheck> checks = designChecks(c, boxes, locale);
        benchmark::DoNotOptimize(drawing.views.data());
        benchmark::DoNotOptimize(checks.data());
    }
}
BENCHMARK(geometryAndChecks)->Unit(benchmark::kMicrosecond);

}  // namespace
