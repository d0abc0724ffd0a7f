#include "dxf/DxfDocument.h"

#include "dxf/DimensionGraphics.h"
#include "dxf/DxfEllipse.h"
#include "dxf/DxfObjects.h"
#include "dxf/DxfSpline.h"
#include "dxf/DxfText.h"
#include "messages/Failure.h"
#include "dxf/DxfTextWriter.h"

#include <dl_dxf.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <sstream>

namespace inlet {

namespace {

// Beyond this distance from the origin (mm) a coordinate no longer holds 0.01 mm in the
// double a CAD program reads it into; no passage comes near it.
constexpr double kLargestCoordinate = 1e12;

// An elliptical arc written as a polyline departs from the arc by at most this (mm).
constexpr double kPolylineDeviation = 0.01;

// An elliptical arc written as a spline departs from the arc by at most this (mm).
constexpr double kSplineDeviation = 0.005;

// The height (paper mm) of the dimensions' figures.
constexpr double kDimensionTextHeight = 3.5;

// The text styles: long FangSong (仿宋, TrueType) for the labels, the GB SHX fonts with their
// big font for Chinese for the dimensions, as Chinese drawings set them.
constexpr const char* kTextStyle = "FS";
constexpr const char* kDimensionTextStyle = "HZ";
constexpr const char* kDimensionStyle = "INLET";

struct LayerStyle {
    Layer layer;
    const char* name;
    int colour;      // AutoCAD colour index
    int lineweight;  // hundredths of a millimetre
    const char* linetype;
};

constexpr std::array<LayerStyle, 6> kLayers{{
    {Layer::Outline, "OUTLINE", 7, 50, "CONTINUOUS"},
    {Layer::Centre, "CENTRE", 1, 25, "CENTER"},
    {Layer::Hidden, "HIDDEN", 5, 25, "HIDDEN"},
    {Layer::Dimension, "DIMENSION", 3, 25, "CONTINUOUS"},
    {Layer::Text, "TEXT", 7, 25, "CONTINUOUS"},
    {Layer::Deviation, "AREA-DIFF", 1, 25, "CONTINUOUS"},
}};

const char* layerName(Layer layer)
{
    for (const LayerStyle& style : kLayers) {
        if (style.layer == layer)
            return style.name;
    }
    return "0";
}

// What an entity on the layer takes from it: colour, line weight and line type.
DL_Attributes onLayer(const char* layer)
{
    constexpr int kByLayer = 256;
    return DL_Attributes(layer, kByLayer, -1, "BYLAYER", 1.0);
}

// The largest distance from the origin among the numbers a shape writes, and whether all
// of them are finite.
struct Reach {
    bool finite = true;
    double largest = 0;

    void add(double value)
    {
        if (!std::isfinite(value))
            finite = false;
        else
            largest = std::max(largest, std::fabs(value));
    }
    void add(Point p)
    {
        add(p.x);
        add(p.y);
    }
};

Reach reachOf(const Shape& shape)
{
    struct Visitor {
        Reach& reach;
        void operator()(const Line& l) const
        {
            reach.add(l.from);
            reach.add(l.to);
        }
        void operator()(const Polyline& p) const
        {
            for (const Point& q : p.points)
                reach.add(q);
        }
        void operator()(const Circle& c) const
        {
            reach.add(c.centre);
            reach.add(c.radius);
        }
        void operator()(const EllipseArc& a) const
        {
            reach.add(a.centre);
            reach.add(a.rx);
            reach.add(a.ry);
            reach.add(a.start);
            reach.add(a.end);
        }
        void operator()(const Dimension& d) const
        {
            reach.add(d.from);
            reach.add(d.to);
            reach.add(d.at);
        }
        void operator()(const Label& l) const
        {
            reach.add(l.at);
            reach.add(l.height);
        }
    };
    Reach reach;
    std::visit(Visitor{reach}, shape.geometry);
    return reach;
}

std::string figure(double value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

// Throws unless every number is finite and within kLargestCoordinate.
void requireWithinReach(const Reach& reach)
{
    if (!reach.finite)
        throw Failure{.kind = Failure::Kind::DrawingNotFinite};
    if (reach.largest > kLargestCoordinate) {
        Failure f{.kind = Failure::Kind::DrawingBeyondReach, .other = figure(reach.largest)};
        f.detail = figure(kLargestCoordinate);
        throw f;
    }
}

// The height of the dimension figures: 3.5 mm on paper at the drawing's print scale.
double figureHeightOf(const Drawing& drawing)
{
    if (std::isfinite(drawing.textHeight) && drawing.textHeight > 0)
        return drawing.textHeight;
    const double size = std::max(drawing.extent.width(), drawing.extent.height()) / 100;
    return std::isfinite(size) && size > 0 ? size : 1.0;
}

// Everything model space holds: each view's shapes at the view's place, then the sheet's
// frame and title block at the print scale around them.
std::vector<Shape> modelShapes(const Drawing& drawing, const std::optional<DrawingSheet>& sheet)
{
    std::vector<Shape> shapes;
    for (const View& view : drawing.views) {
        for (const Shape& shape : view.shapes)
            shapes.push_back(transformed(shape, view.placement, 1));
    }
    if (sheet) {
        const double k = sheet->scale;
        const Point origin{-k * sheet->viewsOrigin.x, -k * sheet->viewsOrigin.y};
        for (const Shape& shape : sheet->shapes)
            shapes.push_back(transformed(shape, origin, k));
    }
    return shapes;
}

// The layer of the setting-out sheets; their shapes, placed right of the drawing sheet at its
// print scale, a sheet's width and a tenth apart.
constexpr const char* kSetOutLayer = "SETOUT";

std::vector<Shape> setOutShapes(const DxfOptions& options)
{
    std::vector<Shape> shapes;
    if (!options.sheet)
        return shapes;
    const DrawingSheet& sheet = *options.sheet;
    const double k = sheet.scale;
    for (std::size_t i = 0; i < options.setOut.size(); ++i) {
        const Point origin{k * ((sheet.paper.width * 1.1) * static_cast<double>(i + 1) - sheet.viewsOrigin.x),
                           -k * sheet.viewsOrigin.y};
        for (const Shape& shape : options.setOut[i].shapes)
            shapes.push_back(transformed(shape, origin, k));
    }
    return shapes;
}

// One DXF file being written.
struct Output {
    DL_Dxf& dxf;
    DL_WriterA& dw;
    const DxfOptions& options;
    double figureHeight;
    double printScale;            // the drawing is printed at 1:printScale
    unsigned long dimensionStyle = 0;  // handles
    unsigned long dimensionTextStyle = 0;
    std::vector<std::string> dimensionBlocks;  // *D1, *D2, ...: one per DIMENSION, in order
    std::vector<Dimension> dimensions;         // what each shows, for its block
    std::size_t nextDimension = 0;             // the next DIMENSION written
};

// A TEXT entity as dxflib writes it, less the closing vertical alignment "73 / 0" (the
// baseline, its default): FreeCAD 0.20's importer stops reading a TEXT at its value and then
// takes that "0" for the start of the next entity, so that it lost every text that followed
// another (the angle labels, the sections' areas, the section's title).
// `angle` in radians.
void writeText(Output& out, const char* layer, const Label& label, double angle, const char* style = kTextStyle)
{
    const std::string text = dxfText(label.text);
    if (text.empty() || !(label.height > 0))
        return;
    int justification = 0;
    if (label.anchor == Label::Anchor::Centre)
        justification = 1;
    else if (label.anchor == Label::Anchor::Right)
        justification = 2;
    const Point p = label.at;
    DL_WriterA& dw = out.dw;
    dw.dxfString(0, "TEXT");
    dw.handle();
    dw.dxfString(100, "AcDbEntity");
    dw.dxfString(8, layer);
    dw.dxfInt(62, 256);
    dw.dxfInt(370, -1);
    dw.dxfReal(48, 1.0);
    dw.dxfString(6, "BYLAYER");
    dw.dxfString(100, "AcDbText");
    dw.dxfReal(10, p.x);
    dw.dxfReal(20, p.y);
    dw.dxfReal(30, 0.0);
    dw.dxfReal(40, label.height);
    dw.dxfString(1, text);
    dw.dxfReal(50, angle / (2.0 * M_PI) * 360.0);  // radians to degrees, as dxflib does
    dw.dxfReal(41, 1.0);
    dw.dxfString(7, style);
    dw.dxfInt(71, 0);
    dw.dxfInt(72, justification);
    dw.dxfReal(11, p.x);
    dw.dxfReal(21, p.y);
    dw.dxfReal(31, 0.0);
    dw.dxfString(100, "AcDbText");
}

void writeLine(Output& out, const char* layer, const Line& line)
{
    out.dxf.writeLine(out.dw, DL_LineData(line.from.x, line.from.y, 0, line.to.x, line.to.y, 0), onLayer(layer));
}

void writePolyline(Output& out, const char* layer, const std::vector<Point>& points, bool closed)
{
    if (points.size() < 2)
        return;
    out.dxf.writePolyline(out.dw, DL_PolylineData(static_cast<int>(points.size()), 0, 0, closed ? 1 : 0),
                          onLayer(layer));
    for (const Point& p : points)
        out.dxf.writeVertex(out.dw, DL_VertexData(p.x, p.y, 0, 0));
    out.dxf.writePolylineEnd(out.dw);
}

// A clamped cubic spline, not rational: its knots, then its control points.
void writeSpline(Output& out, const char* layer, const DxfSpline& spline)
{
    DL_WriterA& dw = out.dw;
    dw.dxfString(0, "SPLINE");
    dw.handle();
    dw.dxfString(100, "AcDbEntity");
    dw.dxfString(8, layer);
    dw.dxfString(6, "BYLAYER");
    dw.dxfInt(62, 256);
    dw.dxfInt(370, -1);
    dw.dxfString(100, "AcDbSpline");
    dw.dxfReal(210, 0.0);
    dw.dxfReal(220, 0.0);
    dw.dxfReal(230, 1.0);
    dw.dxfInt(70, 8);  // planar
    dw.dxfInt(71, spline.degree);
    dw.dxfInt(72, static_cast<int>(spline.knots.size()));
    dw.dxfInt(73, static_cast<int>(spline.controls.size()));
    dw.dxfInt(74, 0);
    dw.dxfReal(42, 1e-10);
    dw.dxfReal(43, 1e-10);
    for (const double k : spline.knots)
        dw.dxfReal(40, k);
    for (const Point& p : spline.controls) {
        dw.dxfReal(10, p.x);
        dw.dxfReal(20, p.y);
        dw.dxfReal(30, 0.0);
    }
}

void writeArc(Output& out, const char* layer, const EllipseArc& arc)
{
    if (!(arc.end > arc.start))
        return;
    const std::optional<DxfEllipse> ellipse = dxfEllipse(arc);
    const std::optional<DxfSpline> spline =
        out.options.curves == DxfOptions::Curves::Spline ? dxfSpline(arc, kSplineDeviation) : std::nullopt;
    if (spline) {
        writeSpline(out, layer, *spline);
        return;
    }
    if (!ellipse || out.options.curves != DxfOptions::Curves::Ellipse) {
        writePolyline(out, layer, pointsAlong(arc, kPolylineDeviation), false);
        return;
    }
    const DxfEllipse& e = *ellipse;
    out.dxf.writeEllipse(out.dw,
                         DL_EllipseData(e.centre.x, e.centre.y, 0, e.majorAxis.x, e.majorAxis.y, 0, e.ratio,
                                        e.start, e.end),
                         onLayer(layer));
}

// The lines, arrowheads and figure of a dimension, on layer 0 so that they take the
// DIMENSION's layer: what its block holds.
void writeDimensionGraphics(Output& out, const Dimension& dimension)
{
    const DimensionGraphics graphics = dimensionGraphics(dimension, out.figureHeight);
    const DL_Attributes byBlock("0", 0, -2, "BYBLOCK", 1.0);
    for (const Line& line : graphics.lines)
        out.dxf.writeLine(out.dw, DL_LineData(line.from.x, line.from.y, 0, line.to.x, line.to.y, 0), byBlock);
    for (const auto& [tip, left, right] : graphics.arrows) {
        out.dxf.writeSolid(out.dw,
                           DL_SolidData(tip.x, tip.y, 0, left.x, left.y, 0, right.x, right.y, 0, right.x,
                                        right.y, 0),
                           byBlock);
    }
    writeText(out, "0", graphics.figure, graphics.figureAngle, kDimensionTextStyle);
}

// "a1=400" as a dimension's text: the measurement in place of the figure ("a1=<>"), so that
// a CAD program shows the measured length and updates it when the geometry is edited, where
// the figure is that length; the text as it is where it is not (a negative width).
std::string dimensionText(const Dimension& d)
{
    const std::size_t equals = d.text.find('=');
    if (equals == std::string::npos)
        return dxfText(d.text);
    const std::string figure = d.text.substr(equals + 1);
    const bool horizontal = d.direction == Dimension::Direction::Horizontal;
    const double measured = std::fabs(horizontal ? d.to.x - d.from.x : d.to.y - d.from.y);
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.0f", measured);
    if (figure != rounded)
        return dxfText(d.text);
    return dxfText(d.text.substr(0, equals + 1)) + "<>";
}

// A linear DIMENSION entity: its definition points, its measurement and its block.
void writeDimension(Output& out, const char* layer, const Dimension& dimension)
{
    const bool horizontal = dimension.direction == Dimension::Direction::Horizontal;
    const DimensionGraphics graphics = dimensionGraphics(dimension, out.figureHeight);
    const Point onLine = horizontal ? Point{dimension.to.x, dimension.at.y} : Point{dimension.at.x, dimension.to.y};
    const double measured = std::fabs(horizontal ? dimension.to.x - dimension.from.x : dimension.to.y - dimension.from.y);
    const std::string& block = out.dimensionBlocks.at(out.nextDimension++);

    DL_WriterA& dw = out.dw;
    dw.dxfString(0, "DIMENSION");
    dw.handle();
    dw.dxfString(100, "AcDbEntity");
    dw.dxfString(8, layer);
    dw.dxfString(100, "AcDbDimension");
    dw.dxfString(2, block);
    dw.dxfReal(10, onLine.x);
    dw.dxfReal(20, onLine.y);
    dw.dxfReal(30, 0.0);
    dw.dxfReal(11, graphics.figure.at.x);
    dw.dxfReal(21, graphics.figure.at.y);
    dw.dxfReal(31, 0.0);
    dw.dxfInt(70, 32);  // a rotated linear dimension, whose block is its own
    dw.dxfInt(71, 5);   // the text's middle at the text point
    dw.dxfString(1, dimensionText(dimension));
    dw.dxfString(3, kDimensionStyle);
    dw.dxfReal(42, measured);
    dw.dxfString(100, "AcDbAlignedDimension");
    dw.dxfReal(13, dimension.from.x);
    dw.dxfReal(23, dimension.from.y);
    dw.dxfReal(33, 0.0);
    dw.dxfReal(14, dimension.to.x);
    dw.dxfReal(24, dimension.to.y);
    dw.dxfReal(34, 0.0);
    dw.dxfReal(50, horizontal ? 0.0 : 90.0);
    dw.dxfString(100, "AcDbRotatedDimension");
}

void writeShape(Output& out, const Shape& shape, const char* layer)
{
    struct Visitor {
        Output& out;
        const char* layer;
        void operator()(const Line& l) const { writeLine(out, layer, l); }
        void operator()(const Polyline& p) const { writePolyline(out, layer, p.points, p.closed); }
        void operator()(const Circle& c) const
        {
            if (c.radius > 0)
                out.dxf.writeCircle(out.dw, DL_CircleData(c.centre.x, c.centre.y, 0, c.radius), onLayer(layer));
        }
        void operator()(const EllipseArc& a) const { writeArc(out, layer, a); }
        void operator()(const Dimension& d) const { writeDimension(out, layer, d); }
        void operator()(const Label& l) const { writeText(out, layer, l, 0); }
    };
    std::visit(Visitor{out, layer}, shape.geometry);
}

void writeShape(Output& out, const Shape& shape) { writeShape(out, shape, layerName(shape.layer)); }

void writeHeader(Output& out, const Extent& whole)
{
    Reach extent;
    extent.add(Point{whole.left, whole.bottom});
    extent.add(Point{whole.right, whole.top});
    requireWithinReach(extent);

    DL_WriterA& dw = out.dw;
    // AutoCAD 2007: its text is UTF-8, which every CAD program tried reads as Chinese (FreeCAD
    // reads no \U+ escape); the drawing's own code page is the Chinese one.
    dw.sectionHeader();
    dw.dxfString(9, "$ACADVER");
    dw.dxfString(1, "AC1021");
    dw.dxfString(9, "$HANDSEED");
    dw.dxfHex(5, 0xFFFF);
    dw.dxfString(9, "$DWGCODEPAGE");
    dw.dxfString(3, "ANSI_936");
    const auto integer = [&dw](const char* name, int value) {
        dw.dxfString(9, name);
        dw.dxfInt(70, value);
    };
    const auto point = [&dw](const char* name, double x, double y) {
        dw.dxfString(9, name);
        dw.dxfReal(10, x);
        dw.dxfReal(20, y);
        dw.dxfReal(30, 0.0);
    };
    integer("$INSUNITS", 4);     // millimetres
    integer("$MEASUREMENT", 1);  // metric
    integer("$LUNITS", 2);       // decimal lengths
    integer("$LUPREC", 2);
    integer("$AUNITS", 0);       // decimal degrees
    integer("$AUPREC", 0);
    point("$INSBASE", 0, 0);
    point("$EXTMIN", whole.left, whole.bottom);
    point("$EXTMAX", whole.right, whole.top);
    dw.dxfString(9, "$LIMMIN");
    dw.dxfReal(10, whole.left);
    dw.dxfReal(20, whole.bottom);
    dw.dxfString(9, "$LIMMAX");
    dw.dxfReal(10, whole.right);
    dw.dxfReal(20, whole.top);
    dw.dxfString(9, "$TEXTSTYLE");
    dw.dxfString(7, kTextStyle);
    dw.dxfString(9, "$TEXTSIZE");
    dw.dxfReal(40, out.figureHeight);
    // The line types' patterns are in paper millimetres: at the print scale they plot as
    // chain and dashed lines.
    dw.dxfString(9, "$LTSCALE");
    dw.dxfReal(40, out.printScale);
    dw.dxfString(9, "$CELTSCALE");
    dw.dxfReal(40, 1.0);
    integer("$PSLTSCALE", 1);
    dw.dxfString(9, "$DIMSTYLE");
    dw.dxfString(2, kDimensionStyle);
    dw.dxfString(9, "$DIMSCALE");
    dw.dxfReal(40, out.figureHeight / kDimensionTextHeight);
    dw.sectionEnd();
}

// One text style: its name, fonts and width factor. `family` names a TrueType font's family
// for AutoCAD, which finds it by that name.
unsigned long writeStyle(DL_WriterA& dw, const char* name, const char* font, const char* bigFont, double width,
                         const char* family)
{
    dw.dxfString(0, "STYLE");
    const unsigned long handle = dw.handle();
    dw.dxfString(100, "AcDbSymbolTableRecord");
    dw.dxfString(100, "AcDbTextStyleTableRecord");
    dw.dxfString(2, name);
    dw.dxfInt(70, 0);
    dw.dxfReal(40, 0.0);
    dw.dxfReal(41, width);
    dw.dxfReal(50, 0.0);
    dw.dxfInt(71, 0);
    dw.dxfReal(42, 2.5);
    dw.dxfString(3, font);
    dw.dxfString(4, bigFont);
    if (family) {
        dw.dxfString(1001, "ACAD");
        dw.dxfString(1000, family);
        dw.dxfInt(1071, 0);
    }
    return handle;
}

void writeStyles(Output& out)
{
    DL_WriterA& dw = out.dw;
    dw.tableStyle(3);
    writeStyle(dw, "Standard", "txt", "", 1.0, nullptr);
    // Long FangSong: 仿宋 seven tenths as wide as high (GB/T 14691).
    writeStyle(dw, kTextStyle, "simfang.ttf", "", 0.7, "FangSong");
    out.dimensionTextStyle = writeStyle(dw, kDimensionTextStyle, "gbenor.shx", "gbcbig.shx", 1.0, nullptr);
    dw.tableEnd();
}

// The dimension styles: Standard, and the drawing's, sized in paper mm and scaled by
// $DIMSCALE: figures 3.5 mm high in the SHX style, above the line, aligned with it, whole
// millimetres.
void writeDimensionStyles(Output& out)
{
    DL_WriterA& dw = out.dw;
    dw.dxfString(0, "TABLE");
    dw.dxfString(2, "DIMSTYLE");
    dw.dxfHex(5, 0xA);
    dw.dxfString(100, "AcDbSymbolTable");
    dw.dxfInt(70, 2);
    dw.dxfString(100, "AcDbDimStyleTable");
    dw.dxfInt(71, 0);
    const double scale = out.figureHeight / kDimensionTextHeight;
    for (const char* name : {"Standard", kDimensionStyle}) {
        const bool ours = std::string(name) == kDimensionStyle;
        dw.dxfString(0, "DIMSTYLE");
        const unsigned long handle = dw.handle(105);
        if (ours)
            out.dimensionStyle = handle;
        dw.dxfString(100, "AcDbSymbolTableRecord");
        dw.dxfString(100, "AcDbDimStyleTableRecord");
        dw.dxfString(2, name);
        dw.dxfInt(70, 0);
        dw.dxfReal(40, ours ? scale : 1.0);  // DIMSCALE
        dw.dxfReal(41, ours ? 3.0 : 2.5);    // DIMASZ
        dw.dxfReal(42, ours ? 1.0 : 0.625);  // DIMEXO
        dw.dxfReal(44, ours ? 2.0 : 1.25);   // DIMEXE
        dw.dxfInt(77, 1);                    // DIMTAD: above the line
        dw.dxfInt(73, 0);                    // DIMTIH: aligned
        dw.dxfInt(74, 0);                    // DIMTOH
        dw.dxfReal(140, ours ? kDimensionTextHeight : 2.5);  // DIMTXT
        dw.dxfReal(147, ours ? 1.0 : 0.625);  // DIMGAP
        dw.dxfInt(271, 0);                   // DIMDEC: whole millimetres
        dw.dxfInt(277, 2);                   // DIMLUNIT: decimal
        if (ours)
            dw.dxfHex(340, static_cast<int>(out.dimensionTextStyle));
    }
    dw.dxfString(0, "ENDTAB");
}

void writeTables(Output& out)
{
    DL_Dxf& dxf = out.dxf;
    DL_WriterA& dw = out.dw;
    dw.sectionTables();
    dxf.writeVPort(dw);

    // The patterns as printed, in paper mm (long dashes of 15 mm and dots for centre lines,
    // dashes of 4 mm for hidden lines); $LTSCALE scales them to the drawing.
    double centre[] = {15, -3, 0.5, -3};
    double hidden[] = {4, -1};
    dw.tableLinetypes(5);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CENTER", "Center ____ . ____ . ____", 0, 4, 21.5, centre));
    dxf.writeLinetype(dw, DL_LinetypeData("HIDDEN", "Hidden __ __ __ __ __", 0, 2, 5, hidden));
    dw.tableEnd();

    dw.tableLayers(static_cast<int>(kLayers.size()) + 2);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", 7, 25, "CONTINUOUS", 1.0));
    for (const LayerStyle& style : kLayers) {
        dxf.writeLayer(dw, DL_LayerData(style.name, 0),
                       DL_Attributes("", style.colour, style.lineweight, style.linetype, 1.0));
    }
    dxf.writeLayer(dw, DL_LayerData(kSetOutLayer, 0), DL_Attributes("", 7, 25, "CONTINUOUS", 1.0));
    dw.tableEnd();

    writeStyles(out);
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    writeDimensionStyles(out);

    dxf.writeBlockRecord(dw);
    for (const std::string& block : out.dimensionBlocks)
        dxf.writeBlockRecord(dw, block);
    dw.tableEnd();
    dw.sectionEnd();
}

void writeBlocks(Output& out)
{
    DL_Dxf& dxf = out.dxf;
    DL_WriterA& dw = out.dw;
    dw.sectionBlocks();
    for (const char* layout : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(dw, DL_BlockData(layout, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, layout);
    }
    for (std::size_t i = 0; i < out.dimensions.size(); ++i) {
        const std::string& name = out.dimensionBlocks[i];
        dxf.writeBlock(dw, DL_BlockData(name, 1, 0.0, 0.0, 0.0));
        writeDimensionGraphics(out, out.dimensions[i]);
        dxf.writeEndBlock(dw, name);
    }
    dw.sectionEnd();
}

// Every shape straight into model space, where every CAD program imports its texts (FreeCAD
// 0.20 imports none that stands inside a block).
void writeEntities(Output& out, const std::vector<Shape>& shapes, const std::vector<Shape>& setOut)
{
    out.dw.sectionEntities();
    for (const Shape& shape : shapes) {
        const Reach reach = reachOf(shape);
        if (!reach.finite)
            continue;  // the geometry leaves such shapes out; never write one
        requireWithinReach(reach);
        writeShape(out, shape);
    }
    for (const Shape& shape : setOut) {
        const Reach reach = reachOf(shape);
        if (!reach.finite)
            continue;
        requireWithinReach(reach);
        writeShape(out, shape, kSetOutLayer);
    }
    out.dw.sectionEnd();
}

}  // namespace

std::string dxfText(const Drawing& drawing, const DxfOptions& options)
{
    const std::vector<Shape> shapes = modelShapes(drawing, options.sheet);
    const std::vector<Shape> setOut = setOutShapes(options);

    DL_Dxf dxf;
    if (dxf.getVersion() != DL_Codes::AC1015)
        throw Failure{.kind = Failure::Kind::CannotMake, .item = "DXF (AutoCAD 2000)"};
    DxfTextWriter dw;
    const double printScale = options.sheet ? options.sheet->scale : drawing.printScale;
    Output out{dxf, dw, options, figureHeightOf(drawing), printScale > 0 ? printScale : 1.0, 0, 0, {}, {}, 0};
    // Each dimension's block, named before the tables list them; the extent of it all.
    Extent whole = drawing.extent;
    for (const Shape& shape : shapes) {
        if (!reachOf(shape).finite)
            continue;
        whole = unite(whole, extentOf(shape));
        if (const auto* d = std::get_if<Dimension>(&shape.geometry)) {
            out.dimensions.push_back(*d);
            out.dimensionBlocks.push_back("*D" + std::to_string(out.dimensions.size()));
        }
    }
    for (const Shape& shape : setOut) {
        if (reachOf(shape).finite)
            whole = unite(whole, extentOf(shape));
    }
    writeHeader(out, whole);
    writeTables(out);
    writeBlocks(out);
    writeEntities(out, shapes, setOut);
    writeObjects(dw);
    dw.dxfEOF();
    return dw.text();
}

}  // namespace inlet
