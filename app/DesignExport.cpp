#include "app/DesignExport.h"

#include "document/AtomicSave.h"
#include "document/DesignFile.h"
#include "export/ExportInput.h"
#include "messages/Failure.h"
#include "platform/NumberFormat.h"
#include "outputmodule/OutputModule.h"

#include <QFileInfo>

#include <ostream>

namespace inlet {

namespace {

// How long a design read from a pipe may keep the export waiting for each piece.
constexpr int kPipeWaitSeconds = 5;

void report(std::ostream& err, const Failure& failure)
{
    err << "inlet: " << render(failure, messageLanguage()) << '\n';
}

// The calculation stopped: what stopped it, and what was (or was not) written because of it.
int incomplete(std::ostream& err, const ExportInput& input, Failure::Kind consequence, const QString& design,
               const QString& out)
{
    if (input.failure())
        report(err, *input.failure());
    report(err, Failure{.kind = consequence, .file = shownPath(design), .other = shownPath(out)});
    return 1;
}

}  // namespace

int exportDesign(const QString& design, const QString& out, const QString& formatKey, const ExportChoices& choices,
                 std::ostream& err, std::optional<WidthSet> widthSet)
{
    try {
        Design opened = readDesignFile(design, kPipeWaitSeconds);
        if (widthSet)
            opened.widthSet = *widthSet;
        const ExportFormat* format = outputFormats().byKey(formatKey);
        if (!format)
            throw Failure{.kind = Failure::Kind::UnsupportedFormat, .file = shownPath(out),
                          .item = formatKey.toStdString(), .other = outputFormats().extensionList().toStdString()};

        // One run, as the window's "计算并打印" runs it, for every format alike.
        ExportInput input = exportInputFor(opened, systemNumberLocale());
        input.designFile = QFileInfo(design).fileName();
        if (!input.calculation() && format->needsCompletedRun)
            return incomplete(err, input, Failure::Kind::NoDrawingOfIncompleteRun, design, out);
        writeExport(*format, input, out, choices);
        if (!input.calculation())
            return incomplete(err, input, Failure::Kind::SheetOfIncompleteRun, design, out);
        return 0;
    } catch (const Failure& failure) {
        report(err, failure);
        return 1;
    }
}

}  // namespace inlet
