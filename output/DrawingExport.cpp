#include "DrawingExport.h"

#include "AtomicSave.h"
#include "Failure.h"
#include "OutputModule.h"
#include "PngFile.h"

#include <QFileInfo>

namespace inlet {

void exportDrawing(const Drawing& drawing, const QString& path, const DrawingExportOptions& options)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("png"))
        return writePng(drawing, path, kExportPngWidth);
    if (extension != QLatin1String("svg") && extension != QLatin1String("dxf")) {
        Failure f{.kind = Failure::Kind::UnsupportedFormat, .file = shownPath(path), .item = extension.toStdString()};
        f.other = ".dxf .svg .png";
        throw f;
    }
    OutputModule& module = outputModule();
    if (extension == QLatin1String("svg"))
        module.writeSvg(drawing, path);
    else
        module.writeDxf(drawing, path, options.dxfEllipsesAsPolylines);
}

bool canExport(const QString& extension)
{
    const QString e = extension.toLower();
    return e == QLatin1String("svg") || e == QLatin1String("png") || e == QLatin1String("dxf");
}

}  // namespace inlet
