// The module inlet-output: SVG and DXF files of the drawing, and the calculation sheet on
// paper, with the libraries they need (Qt Svg, Qt Print Support, dxflib).

#include "OutputModule.h"

#include "InletFeatures.h"

#include "DxfError.h"
#include "DxfWriter.h"
#include "PngFile.h"
#include "Sheet.h"
#include "SheetPrinting.h"

#include <QFile>
#include <QPainter>
#if INLET_HAS_SVG
#include <QSvgGenerator>
#endif

namespace inlet {

namespace {

class OutputModuleImpl : public OutputModule {
public:
    QString writeSvg(const Drawing& drawing, const QString& path) override
    {
#if !INLET_HAS_SVG
        // This build has no Qt Svg; canExport() says so, so that nothing asks for it.
        Q_UNUSED(drawing)
        return cannotWrite(path, QStringLiteral("此版本不能导出 SVG"));
#else
        if (QString error = nothingToDraw(drawing, path); !error.isEmpty())
            return error;
        const Sheet sheet(drawing);
        return writeWhole(path, [&](QBuffer& file) -> QString {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            // Ten pixels to the millimetre (254 dpi), so that the document's size comes out in
            // whole paper millimetres; the view box, which the painting uses, is in millimetres.
            constexpr int kPixelsPerMm = 10;
            svg.setResolution(254);
            svg.setSize((sheet.paperSize() * kPixelsPerMm).toSize());
            svg.setViewBox(QRectF(QPointF(0, 0), sheet.paperSize()));
            svg.setTitle(QStringLiteral("型线图"));
            svg.setDescription(QStringLiteral("进水流道型线图，比例 1:%1，尺寸单位 mm")
                                   .arg(QString::number(sheet.scaleDenominator(), 'g', 10)));
            QPainter painter;
            if (!painter.begin(&svg))
                return QStringLiteral("无法开始绘制 SVG");
            sheet.paint(painter, 1);
            painter.end();
            return QString();
        });
#endif
    }

    QString writeDxf(const Drawing& drawing, const QString& path, bool ellipsesAsPolylines) override
    {
        if (QString error = nothingToDraw(drawing, path); !error.isEmpty())
            return error;
        try {
#ifdef Q_OS_WIN
            const std::string name = path.toStdString();  // UTF-8, as the DXF writer takes it there
#else
            const std::string name = QFile::encodeName(path).toStdString();
#endif
            inlet::writeDxf(drawing, name, DxfOptions{.ellipsesAsPolylines = ellipsesAsPolylines});
        } catch (const DxfError& e) {
            return cannotWrite(path, QString::fromStdString(e.reason()));
        }
        return {};
    }

    QString previewSheet(QWidget& parent, const SheetInput& input) override
    {
        return inlet::previewSheet(parent, input);
    }

    QString printSheet(QWidget& parent, const SheetInput& input) override
    {
        return inlet::printSheet(parent, input);
    }
};

}  // namespace

}  // namespace inlet

extern "C" Q_DECL_EXPORT inlet::OutputModule* inletOutputModule()
{
    static inlet::OutputModuleImpl module;
    return &module;
}
