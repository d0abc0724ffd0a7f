// How long the passage's solid takes: built from a run (the defaults with hk 2000), written as
// STEP, and divided into triangles and written as STL (ASCII with named regions, and binary).

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "solid/PassageSolid.h"
#include "solid/SolidFiles.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

using namespace inlet;

namespace {

Calculation defaults()
{
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    return runCalculation(boxes, NumberLocale{".", ","});
}

std::string benchFile(const char* extension)
{
    return (std::filesystem::temp_directory_path() / ("inlet-bench-" + std::to_string(getpid()) + extension)).string();
}

void buildSolid(benchmark::State& state)
{
    const Calculation c = defaults();
    for (auto _ : state)
        benchmark::DoNotOptimize(buildPassageSolid(solidDesign(c, stations(c), "3.5", {})));
}
BENCHMARK(buildSolid)->Unit(benchmark::kMillisecond);

void writeSolidFile(benchmark::State& state, const char* extension, const StlOptions& stl)
{
    const Calculation c = defaults();
    const PassageSolid solid = buildPassageSolid(solidDesign(c, stations(c), "3.5", {}));
    const std::string file = benchFile(extension);
    for (auto _ : state) {
        if (std::string(extension) == ".step")
            writeStep(solid, file);
        else
            writeStl(solid, file, stl);
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}

void writeStepFile(benchmark::State& state) { writeSolidFile(state, ".step", {}); }
BENCHMARK(writeStepFile)->Unit(benchmark::kMillisecond);

void writeStlAscii(benchmark::State& state) { writeSolidFile(state, ".stl", {}); }
BENCHMARK(writeStlAscii)->Unit(benchmark::kMillisecond);

void writeStlBinary(benchmark::State& state) { writeSolidFile(state, ".stl", {.binary = true}); }
BENCHMARK(writeStlBinary)->Unit(benchmark::kMillisecond);

void meshForView(benchmark::State& state)
{
    const Calculation c = defaults();
    const PassageSolid solid = buildPassageSolid(solidDesign(c, stations(c), "3.5", {}));
    for (auto _ : state)
        benchmark::DoNotOptimize(meshSolid(solid, 5));
}
BENCHMARK(meshForView)->Unit(benchmark::kMillisecond);

}  // namespace
