#include "DrawingExport.h"

#include "OutputModule.h"
#include "PngFile.h"

#include <QFileInfo>

namespace inlet {

QString exportDrawing(const Drawing& drawing, const QString& path, const DrawingExportOptions& options)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("png"))
        return writePng(drawing, path, kExportPngWidth);
    if (extension != QLatin1String("svg") && extension != QLatin1String("dxf"))
        return cannotWrite(path, QStringLiteral("不支持的文件类型“.%1”（可导出 .dxf、.svg、.png）").arg(extension));
    QString why;
    OutputModule* module = outputModule(&why);
    if (!module)
        return cannotWrite(path, why);
    return extension == QLatin1String("svg") ? module->writeSvg(drawing, path)
                                             : module->writeDxf(drawing, path, options.dxfEllipsesAsPolylines);
}

bool canExport(const QString& extension)
{
    const QString e = extension.toLower();
    return e == QLatin1String("svg") || e == QLatin1String("png") || e == QLatin1String("dxf");
}

}  // namespace inlet
