// How long the drawing's geometry, both width sets and the design checks of one design take,
// and the chart of area, width and velocity along φ.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "checks/DesignChecks.h"
#include "drawing/PassageDrafting.h"
#include "checks/VoluteChart.h"
#include "drawing/WidthSets.h"

#include <benchmark/benchmark.h>

using namespace inlet;

namespace {

Calculation hk2000(BoxTexts& boxes)
{
    boxes.type(Box::Text21, "2000");
    return runCalculation(boxes, NumberLocale{".", ","});
}

// Both width sets, the geometry with the area-true widths (every station drawn as a section
// of its shape) and every check.
void geometryAndChecks(benchmark::State& state)
{
    const NumberLocale locale{".", ","};
    BoxTexts boxes;
    const Calculation c = hk2000(boxes);
    for (auto _ : state) {
        const WidthSets widths = widthSets(c);
        Drawing drawing = drawPassage(c, widths, WidthSet::AreaTrue);
        std::vector<DesignCheck> checks = designChecks(c, widths, WidthSet::AreaTrue, boxes, locale);
        benchmark::DoNotOptimize(drawing.views.data());
        benchmark::DoNotOptimize(checks.data());
    }
}
BENCHMARK(geometryAndChecks)->Unit(benchmark::kMicrosecond);

void voluteChartOfARun(benchmark::State& state)
{
    const NumberLocale locale{".", ","};
    BoxTexts boxes;
    const Calculation c = hk2000(boxes);
    const WidthSets widths = widthSets(c);
    for (auto _ : state) {
        Drawing chart = voluteChart(c, widths, WidthSet::Computed, 15.0, locale);
        benchmark::DoNotOptimize(chart.views.data());
    }
}
BENCHMARK(voluteChartOfARun)->Unit(benchmark::kMicrosecond);

}  // namespace
