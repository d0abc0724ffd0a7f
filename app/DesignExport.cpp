#include "DesignExport.h"

#include "DesignFile.h"
#include "DrawingExport.h"
#include "NumberFormat.h"
#include "SheetFiles.h"
#include "SheetInput.h"
#include "ViewPicture.h"

#include <QFileInfo>

#include <ostream>

namespace inlet {

int exportDesign(const QString& design, const QString& out, std::ostream& err, std::optional<WidthSet> widthSet)
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

    // One run, as the window's "计算并打印" runs it, for the sheet and the drawing alike.
    const SheetInput input = sheetInputFor(opened, systemNumberLocale(), viewPicture);
    const QString extension = QFileInfo(out).suffix().toLower();
    if (extension == QLatin1String("pdf") || extension == QLatin1String("odt")) {
        const auto failure = extension == QLatin1String("pdf") ? writePdf(input, out) : writeOdt(input, out);
        if (failure) {
            err << "inlet: " << failure->english.toStdString() << '\n';
            return 1;
        }
        if (!input.calculation) {
            err << "inlet: the calculation of " << design.toStdString() << " fails (" << input.failure
                << "); the sheet shows how far it came\n";
            return 1;
        }
        return 0;
    }

    if (!input.calculation) {
        err << "inlet: the calculation of " << design.toStdString() << " fails (" << input.failure
            << "); no drawing is written\n";
        return 1;
    }
    if (const QString failure = exportDrawing(*input.drawing, out); !failure.isEmpty()) {
        err << "inlet: " << failure.toStdString() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace inlet
