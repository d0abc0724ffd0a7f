// The module inlet-output: every format's writer, and the calculation sheet on paper, with the
// libraries they need (Qt Svg, Qt Print Support, dxflib).

#include "outputmodule/OutputModule.h"

#include "export/DrawingSheets.h"
#include "export/FileWriters.h"
#include "InletFeatures.h"
#include "render/PngFile.h"
#include "render/SetOutPainting.h"
#include "render/Sheet.h"
#include "sheet/SheetFiles.h"
#include "outputmodule/SheetPrinting.h"

#include <QDir>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#if INLET_HAS_SVG
#include <QSvgGenerator>
#endif

namespace inlet {

namespace {

// The width of the PNG of the drawing.
constexpr int kPngWidth = 4000;

#if INLET_HAS_SVG
void writeSvg(const Drawing& drawing, const QString& path, const TitleBlock& block, const std::string& paper)
{
    checkSomethingToDraw(drawing, path);
    const Sheet sheet(drawing, block, paper);
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
#endif

// The drawing sheet as a PDF of the sheet's size, its lines and texts as vectors, its fonts
// embedded; the sheets of the setting-out tables on the pages after it.
void writeDrawingPdf(const ExportInput& input, const QString& path, const std::string& paper)
{
    const Drawing drawing = input.drawingOn(paper);
    checkSomethingToDraw(drawing, path);
    const DrawingSheets sheets = drawingSheets(input, drawing, paper);
    const Sheet sheet(drawing, sheets.block, paper);
    writeWhole(path, QStringLiteral("PDF"), [&](QBuffer& file) {
        QPdfWriter pdf(&file);
        pdf.setTitle(QStringLiteral("进水流道型线图"));
        pdf.setCreator(QStringLiteral("inlet"));
        pdf.setPageSize(QPageSize(sheet.paperSize(), QPageSize::Millimeter, QString::fromLatin1(sheet.paperName())));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(1200);
        QPainter painter;
        if (!painter.begin(&pdf))
            return false;
        sheet.paint(painter, pdf.resolution() / 25.4);
        for (const SetOutPage& page : sheets.setOut) {
            if (!pdf.newPage())
                return false;
            paintSetOutPage(painter, page, pdf.resolution() / 25.4);
        }
        return painter.end();
    });
}

// The sheet of a run, with its drawings and the figures of its solid.
SheetInput withPictures(const ExportInput& input)
{
    SheetInput sheet{input, true};
    addSolidFigures(sheet);
    return sheet;
}

std::string paperOf(const ExportChoices& choices)
{
    const auto it = choices.find(QStringLiteral("paper"));
    return it == choices.end() ? std::string("auto") : it->second.toStdString();
}

ExportRegistry moduleFormats()
{
    ExportRegistry formats = ExportRegistry::described();
    addFileWriters(formats);
    formats.setWriter(QStringLiteral("pdf"), [](const ExportInput& input, const QString& path, const ExportChoices&) {
        writePdf(withPictures(input), path);
    });
    formats.setWriter(QStringLiteral("odt"), [](const ExportInput& input, const QString& path, const ExportChoices&) {
        writeOdt(withPictures(input), path);
    });
    formats.setWriter(QStringLiteral("drawing-pdf"), [](const ExportInput& input, const QString& path, const ExportChoices& c) {
        writeDrawingPdf(input, path, paperOf(c));
    });
#if INLET_HAS_SVG
    formats.setWriter(QStringLiteral("svg"), [](const ExportInput& input, const QString& path, const ExportChoices& c) {
        writeSvg(input.drawingOn(paperOf(c)), path, titleBlock(input), paperOf(c));
    });
#endif
    formats.setWriter(QStringLiteral("png"), [](const ExportInput& input, const QString& path, const ExportChoices& c) {
        writePng(input.drawingOn(paperOf(c)), path, kPngWidth, titleBlock(input), paperOf(c));
    });
    return formats;
}

class OutputModuleImpl : public OutputModule {
public:
    const ExportRegistry& formats() override { return formats_; }

    void previewSheet(QWidget& parent, const SheetInput& input) override
    {
        SheetInput sheet = input;
        addSolidFigures(sheet);
        inlet::previewSheet(parent, sheet);
    }

    void printSheet(QWidget& parent, const SheetInput& input) override
    {
        SheetInput sheet = input;
        addSolidFigures(sheet);
        inlet::printSheet(parent, sheet);
    }

private:
    ExportRegistry formats_ = moduleFormats();
};

}  // namespace

}  // namespace inlet

extern "C" Q_DECL_EXPORT inlet::OutputModule* inletOutputModule()
{
    static inlet::OutputModuleImpl module;
    return &module;
}
