// How long the drawing sheet and the workbook of one design take to write: the drawing sheet
// as a vector PDF and as SVG (the sheet's frame, title block and views painted), and the Excel
// workbook. The design is run once; each loop writes from its record. And the workbook of a
// batch of 10,000 designs, as `inlet-calc --csv … --xlsx` writes it.

#include "boxes/Boxes.h"
#include "document/DesignFile.h"
#include "messages/Failure.h"
#include "export/ExportInput.h"
#include "render/Sheet.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QTemporaryDir>

#include "InletFeatures.h"

#if INLET_HAS_XLSX
#include "export/XlsxWorkbook.h"
#endif

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace inlet;

namespace {

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

const ExportInput& hk2000()
{
    static const ExportInput input = [] {
        Design design = defaultDesign();
        design.info.project = QStringLiteral("某泵站更新改造工程");
        design.info.unit = QStringLiteral("某水利水电勘测设计研究院");
        design.texts[Box::Text21] = QStringLiteral("2000");
        return exportInputFor(design, NumberLocale{".", ","});
    }();
    return input;
}

void drawingSheetPdf(benchmark::State& state)
{
    ensureApplication();
    const ExportInput& input = hk2000();
    for (auto _ : state) {
        const Sheet sheet(*input.drawing(), titleBlock(input));
        QByteArray bytes;
        QBuffer file(&bytes);
        file.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&file);
            pdf.setPageSize(QPageSize(sheet.paperSize(), QPageSize::Millimeter));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setResolution(1200);
            QPainter painter(&pdf);
            sheet.paint(painter, pdf.resolution() / 25.4);
        }
        benchmark::DoNotOptimize(bytes.constData());
    }
}
BENCHMARK(drawingSheetPdf)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void drawingSheetSvg(benchmark::State& state)
{
    ensureApplication();
    const ExportInput& input = hk2000();
    for (auto _ : state) {
        const Sheet sheet(*input.drawing(), titleBlock(input));
        QByteArray bytes;
        QBuffer file(&bytes);
        file.open(QIODevice::WriteOnly);
        {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setResolution(254);
            svg.setSize((sheet.paperSize() * 10).toSize());
            svg.setViewBox(QRectF(QPointF(0, 0), sheet.paperSize()));
            QPainter painter(&svg);
            sheet.paint(painter, 1);
        }
        benchmark::DoNotOptimize(bytes.constData());
    }
}
BENCHMARK(drawingSheetSvg)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

#if INLET_HAS_XLSX
void workbookXlsx(benchmark::State& state)
{
    const ExportInput& input = hk2000();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("run.xlsx"));
    try {
        for (auto _ : state)
            writeXlsx(input, path);
    } catch (const Failure&) {
        state.SkipWithError("the workbook could not be written");
    }
}
BENCHMARK(workbookXlsx)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void workbookBatch(benchmark::State& state)
{
    // Every box as a column, the results as numbers; each design the one run above.
    const ExportInput& input = hk2000();
    std::vector<std::string> header;
    std::vector<std::string> row;
    std::vector<bool> numbers;
    for (const BoxInfo& box : boxTable()) {
        header.emplace_back(box.symbol);
        row.push_back(input.text(box.box));
        numbers.push_back(std::find(resultWriteOrder().begin(), resultWriteOrder().end(), box.box)
                          != resultWriteOrder().end());
    }
    std::vector<std::vector<std::string>> rows{header};
    rows.resize(1 + static_cast<std::size_t>(state.range(0)), row);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("batch.xlsx"));
    try {
        for (auto _ : state)
            writeBatchXlsx(rows, numbers, input.locale(), path);
    } catch (const Failure&) {
        state.SkipWithError("the workbook could not be written");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(workbookBatch)->Arg(10000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
#endif

}  // namespace
