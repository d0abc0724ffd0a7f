// How long writing the DXF file of a drawn design takes: the defaults with hk 2000, the
// drawing made once, the file written again and again into the temporary folder.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "dxf/DxfWriter.h"
#include "drawing/PassageDrafting.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

using namespace inlet;

namespace {

Drawing drawnDefaults()
{
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    return drawPassage(runCalculation(boxes, NumberLocale{".", ","}));
}

void writeDxfFile(benchmark::State& state, DxfOptions::Curves curves)
{
    const Drawing drawing = drawnDefaults();
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "inlet-bench.dxf";
    for (auto _ : state)
        writeDxf(drawing, file.string(), DxfOptions{curves});
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}

void writeDxfSplines(benchmark::State& state) { writeDxfFile(state, DxfOptions::Curves::Spline); }
BENCHMARK(writeDxfSplines)->Unit(benchmark::kMillisecond);

void writeDxfExact(benchmark::State& state) { writeDxfFile(state, DxfOptions::Curves::Ellipse); }
BENCHMARK(writeDxfExact)->Unit(benchmark::kMillisecond);

void writeDxfPolylines(benchmark::State& state) { writeDxfFile(state, DxfOptions::Curves::Polyline); }
BENCHMARK(writeDxfPolylines)->Unit(benchmark::kMillisecond);

}  // namespace
