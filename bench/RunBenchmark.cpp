// How long one press of the calculate button takes without a window, and how many designs a
// CSV batch gets through per second.

#include "cli/CommandLine.h"
#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "model/RunRecord.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

using namespace inlet;

namespace {

void fullRun(benchmark::State& state)
{
    const NumberLocale locale{".", ","};
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    for (auto _ : state) {
        boxes.clearWritten();
        runCalculation(boxes, locale);
        benchmark::DoNotOptimize(boxes.text(Box::Text6));
    }
    if (boxes.text(Box::Text6) != "6355")
        state.SkipWithError("the run did not show B 6355");
}
BENCHMARK(fullRun);

// The run as inlet-calc's single design makes it: recorded, with its checks, drawing and chart.
void recordedRun(benchmark::State& state)
{
    const NumberLocale locale{".", ","};
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    for (auto _ : state) {
        const RunRecord record = runAndRecord(boxes, WidthSet::Computed, locale);
        benchmark::DoNotOptimize(record.drawing);
    }
}
BENCHMARK(recordedRun);

// 100,000 designs that vary hk, D1 and aa, so that both width rules and some failures occur.
std::string designs(int count)
{
    std::string csv = "D1,hk,aa,dd0\n";
    for (int i = 0; i < count; ++i) {
        csv += std::to_string(2800 + i % 400) + ',' + std::to_string(600 + i % 1900) + ','
               + std::to_string(30 + i % 40) + ".5,700.1\n";
    }
    return csv;
}

void csvBatch(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string input = designs(count);
    for (auto _ : state) {
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        runCommandLine({"--csv"}, in, out, err, NumberLocale{".", ","});
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(csvBatch)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
