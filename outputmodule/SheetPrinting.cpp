#include "outputmodule/SheetPrinting.h"

#include "messages/Failure.h"
#include "run/Progress.h"
#include "sheet/SheetDocument.h"
#include "sheet/SheetPainter.h"

#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <optional>

namespace inlet {

namespace {

// What the sheet's pictures and lines are painted at: as sharp as the PDF, quicker than a
// printer's full resolution.
constexpr int kPrintDpi = 300;

std::optional<Failure> paintOn(const SheetDocument& sheet, QPrinter& printer)
{
    // A print stopped part-way is withdrawn where the print system allows, and a file printed
    // to is not left half written.
    const ProgressWatcher* outer = ProgressWatch::current();
    const ProgressWatch withdrawn([&printer, outer](int done, int total) {
        if (!outer || !*outer || (*outer)(done, total))
            return true;
        printer.abort();
        return false;
    });
    progress(0, 0);
    try {
        if (paintSheet(sheet, printer).isEmpty())
            return std::nullopt;
    } catch (const Failure& stopped) {
        if (stopped.kind == Failure::Kind::Cancelled && !printer.outputFileName().isEmpty())
            QFile::remove(printer.outputFileName());
        throw;
    }
    const QString printerName = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    return Failure{.kind = Failure::Kind::PrinterFailed, .item = printerName.toStdString()};
}

// The printer at the sheet's resolution, the sheet's title as the print job's name.
void prepare(QPrinter& printer, const SheetDocument& sheet)
{
    printer.setResolution(kPrintDpi);
    printer.setDocName(sheet.title());
}

}  // namespace

void previewSheet(QWidget& parent, const SheetInput& input)
{
    const SheetDocument sheet(input);
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, sheet);
    QPrintPreviewDialog dialog(&printer, &parent);
    dialog.setWindowTitle(QStringLiteral("打印预览 - %1").arg(sheet.title()));
    std::optional<Failure> failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* shown) { failure = paintOn(sheet, *shown); });
    dialog.resize(900, 1000);
    dialog.exec();
    if (failure)
        throw *failure;
}

void printSheet(QWidget& parent, const SheetInput& input)
{
    const SheetDocument sheet(input);
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, sheet);
    QPrintDialog dialog(&printer, &parent);
    dialog.setWindowTitle(QStringLiteral("打印计算书"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const auto failure = paintOn(sheet, printer))
        throw *failure;
}

}  // namespace inlet
