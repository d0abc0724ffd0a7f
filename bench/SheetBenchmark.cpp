// How long the calculation sheet of one design takes: the run, its checks and drawing, the
// document with its two drawings, and the PDF or ODT in memory.

#include "document/DesignFile.h"
#include "sheet/SheetDocument.h"
#include "sheet/SheetFiles.h"
#include "sheet/SheetInput.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

using namespace inlet;

namespace {

// The sheet needs a QGuiApplication (fonts, painting); made once, on the offscreen platform
// unless QT_QPA_PLATFORM names another, and kept to the end of the process.
void ensureApplication()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "inlet_bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

Design hk2000()
{
    Design design = defaultDesign();
    design.info.project = QStringLiteral("某泵站更新改造工程");
    design.info.stage = QStringLiteral("初步设计");
    design.texts[Box::Text21] = QStringLiteral("2000");
    return design;
}

void calculationSheetPdf(benchmark::State& state)
{
    ensureApplication();
    const Design design = hk2000();
    const NumberLocale locale{".", ","};
    for (auto _ : state) {
        const SheetInput input = sheetInputFor(design, locale, true);
        const SheetDocument sheet(input);
        const QByteArray pdf = sheetPdf(sheet);
        if (pdf.isEmpty())
            state.SkipWithError("the sheet could not be painted");
        benchmark::DoNotOptimize(pdf.constData());
    }
}
BENCHMARK(calculationSheetPdf)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void calculationSheetOdt(benchmark::State& state)
{
    ensureApplication();
    const Design design = hk2000();
    const NumberLocale locale{".", ","};
    for (auto _ : state) {
        const SheetInput input = sheetInputFor(design, locale, true);
        const SheetDocument sheet(input);
        const QByteArray odt = sheetOdt(sheet);
        benchmark::DoNotOptimize(odt.constData());
    }
}
BENCHMARK(calculationSheetOdt)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void calculationSheetDocument(benchmark::State& state)
{
    ensureApplication();
    const SheetInput input = sheetInputFor(hk2000(), NumberLocale{".", ","}, true);
    for (auto _ : state) {
        const SheetDocument sheet(input);
        benchmark::DoNotOptimize(sheet.pageCount());
    }
}
BENCHMARK(calculationSheetDocument)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
