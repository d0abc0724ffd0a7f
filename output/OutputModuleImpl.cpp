// The module inlet-output: SVG and DXF files of the drawing, and the calculation sheet on
// paper, with the libraries they need (Qt Svg, Qt Print Support, dxflib).

#include "OutputModule.h"

#include "AtomicSave.h"
#include "DxfWriter.h"
#include "PngFile.h"
#include "Sheet.h"
#include "SheetPrinting.h"

#include <QFile>
#include <QPainter>
#include <QSvgGenerator>

namespace inlet {

namespace {

class OutputModuleImpl : public OutputModule {
public:
    void writeSvg(const Drawing& drawing, const QString& path) override
    {
        checkSomethingToDraw(drawing, path);
        const Sheet sheet(drawing);
        writeWhole(path, QStringLiteral("SVG"), [&](QBuffer& file) {
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
                return false;
            sheet.paint(painter, 1);
            return painter.end();
        });
    }

    void writeDxf(const Drawing& drawing, const QString& path, bool ellipsesAsPolylines) override
    {
        checkSomethingToDraw(drawing, path);
        const std::string bytes = dxfText(drawing, DxfOptions{.ellipsesAsPolylines = ellipsesAsPolylines});
        saveAtomically(path, QByteArray::fromStdString(bytes));
    }

    void previewSheet(QWidget& parent, const SheetInput& input) override { inlet::previewSheet(parent, input); }

    void printSheet(QWidget& parent, const SheetInput& input) override { inlet::printSheet(parent, input); }
};

}  // namespace

}  // namespace inlet

extern "C" Q_DECL_EXPORT inlet::OutputModule* inletOutputModule()
{
    static inlet::OutputModuleImpl module;
    return &module;
}
