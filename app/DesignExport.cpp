#include "DesignExport.h"

#include "DesignFile.h"
#include "DrawingExport.h"
#include "Failure.h"
#include "NumberFormat.h"
#include "PassageGeometry.h"
#include "SheetFiles.h"
#include "SheetInput.h"
#include "ViewPicture.h"

#include <QDir>
#include <QFileInfo>

#include <ostream>

namespace inlet {

namespace {

// How long a design read from a pipe may keep the export waiting for each piece.
constexpr int kPipeWaitSeconds = 10;

void report(std::ostream& err, const Failure& failure)
{
    err << "inlet: " << render(failure, messageLanguage()) << '\n';
}

// The calculation stopped: what stopped it, and what was (or was not) written because of it.
int incomplete(std::ostream& err, const SheetInput& input, Failure::Kind consequence, const QString& design,
               const QString& out)
{
    if (input.failure)
        report(err, *input.failure);
    report(err, Failure{.kind = consequence,
                        .file = QDir::toNativeSeparators(design).toStdString(),
                        .other = QDir::toNativeSeparators(out).toStdString()});
    return 1;
}

}  // namespace

int exportDesign(const QString& design, const QString& out, std::ostream& err)
{
    try {
        const Design opened = readDesignFile(design, kPipeWaitSeconds);
        // One run, as the window's "计算并打印" runs it, for the sheet and the drawing alike.
        const SheetInput input = sheetInputFor(opened, systemNumberLocale(), viewPicture);
        const QString extension = QFileInfo(out).suffix().toLower();
        if (extension == QLatin1String("pdf") || extension == QLatin1String("odt")) {
            if (extension == QLatin1String("pdf"))
                writePdf(input, out);
            else
                writeOdt(input, out);
            if (!input.calculation)
                return incomplete(err, input, Failure::Kind::SheetOfIncompleteRun, design, out);
            return 0;
        }
        if (!input.calculation)
            return incomplete(err, input, Failure::Kind::NoDrawingOfIncompleteRun, design, out);
        exportDrawing(*input.drawing, out);
        return 0;
    } catch (const Failure& failure) {
        report(err, failure);
        return 1;
    }
}

}  // namespace inlet
