#include "DesignExport.h"

#include "DesignFile.h"
#include "ExportInput.h"
#include "NumberFormat.h"
#include "OutputModule.h"

#include <QFileInfo>

#include <ostream>

namespace inlet {

int exportDesign(const QString& design, const QString& out, const QString& formatKey, const ExportChoices& choices,
                 std::ostream& err, std::optional<WidthSet> widthSet)
{
    Design opened;
    try {
        opened = readDesignFile(design);
    } catch (const DesignFileError& e) {
        err << "inlet: " << e.english().toStdString() << '\n';
        return 1;
    }
    if (widthSet)
        opened.widthSet = *widthSet;
    const ExportFormat* format = outputFormats().byKey(formatKey);
    if (!format) {
        err << "inlet: no format " << formatKey.toStdString() << '\n';
        return 1;
    }

    // One run, as the window's "计算并打印" runs it, for every format alike.
    ExportInput input = exportInputFor(opened, systemNumberLocale());
    input.designFile = QFileInfo(design).fileName();
    if (!input.calculation && format->needsCompletedRun) {
        err << "inlet: the calculation of " << design.toStdString() << " fails (" << input.failure
            << "); " << out.toStdString() << " is not written\n";
        return 1;
    }
    if (const auto failure = writeExport(*format, input, out, choices)) {
        err << "inlet: " << failure->english.toStdString() << '\n';
        return 1;
    }
    if (!input.calculation) {
        err << "inlet: the calculation of " << design.toStdString() << " fails (" << input.failure
            << "); the file shows how far it came\n";
        return 1;
    }
    return 0;
}

}  // namespace inlet
