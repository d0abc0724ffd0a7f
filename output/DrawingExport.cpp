#include "DrawingExport.h"

#include "InletFeatures.h"
#include "OutputModule.h"
#include "PngFile.h"

#include <QFileInfo>

namespace inlet {

QString exportDrawing(const Drawing& drawing, const QString& path, const DrawingExportOptions& options)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (!canExport(extension)) {
        return cannotWrite(path, QStringLiteral("不支持的文件类型“.%1”（可导出 .%2）")
                                     .arg(extension, drawingExtensions().join(QStringLiteral("、."))));
    }
    if (extension == QLatin1String("png"))
        return writePng(drawing, path, kExportPngWidth);
    QString why;
    OutputModule* module = outputModule(&why);
    if (!module)
        return cannotWrite(path, why);
    return extension == QLatin1String("svg") ? module->writeSvg(drawing, path)
                                             : module->writeDxf(drawing, path, options.dxfEllipsesAsPolylines);
}

QStringList drawingExtensions()
{
    QStringList extensions{QStringLiteral("dxf")};
    if constexpr (INLET_HAS_SVG)
        extensions << QStringLiteral("svg");
    extensions << QStringLiteral("png");
    return extensions;
}

bool canExport(const QString& extension) { return drawingExtensions().contains(extension.toLower()); }

}  // namespace inlet
