#include "DxfDocument.h"

#include "AsciiText.h"
#include "DimensionGraphics.h"
#include "DxfEllipse.h"
#include "DxfError.h"
#include "DxfTextWriter.h"

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

// The height (mm) the smallest text is meant to be printed at; it sets the line type scale.
constexpr double kPrintedTextHeight = 2.5;

constexpr const char* kTextStyle = "Standard";

struct LayerStyle {
    Layer layer;
    const char* name;
    int colour;      // AutoCAD colour index
    int lineweight;  // hundredths of a millimetre
    const char* linetype;
};

constexpr std::array<LayerStyle, 5> kLayers{{
    {Layer::Outline, "OUTLINE", 7, 50, "CONTINUOUS"},
    {Layer::Centre, "CENTRE", 1, 25, "CENTER"},
    {Layer::Hidden, "HIDDEN", 5, 25, "HIDDEN"},
    {Layer::Dimension, "DIMENSION", 3, 25, "CONTINUOUS"},
    {Layer::Text, "TEXT", 7, 25, "CONTINUOUS"},
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
void requireWithinReach(const Reach& reach, const std::string& what)
{
    if (!reach.finite)
        throw DxfError(what + " has a coordinate that is not a finite number");
    if (reach.largest > kLargestCoordinate) {
        throw DxfError(what + " reaches " + figure(reach.largest) + " mm from its origin, beyond the "
                       + figure(kLargestCoordinate) + " mm within which a DXF coordinate holds 0.01 mm");
    }
}

// The height of the dimension figures: that of the drawing's smallest label, so that the
// dimensions fit the spacing the geometry gives them.
double figureHeightOf(const Drawing& drawing)
{
    double height = std::numeric_limits<double>::infinity();
    for (const View& view : drawing.views) {
        for (const Shape& shape : view.shapes) {
            if (const auto* label = std::get_if<Label>(&shape.geometry);
                label && std::isfinite(label->height) && label->height > 0)
                height = std::min(height, label->height);
        }
    }
    if (std::isfinite(height))
        return height;
    const double size = std::max(drawing.extent.width(), drawing.extent.height()) / 100;
    return std::isfinite(size) && size > 0 ? size : 1.0;
}

// A block name as DXF allows it: letters, digits, '_' and '-'.
std::string blockName(const std::string& name)
{
    std::string block = asciiText(name);
    for (char& c : block) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-')
            c = '_';
    }
    return block.empty() ? "VIEW" : block;
}

// One DXF file being written.
struct Output {
    DL_Dxf& dxf;
    DL_WriterA& dw;
    const DxfOptions& options;
    double figureHeight;
};

void writeText(Output& out, const char* layer, const Label& label, double angle)
{
    const std::string text = asciiText(label.ascii.empty() ? label.text : label.ascii);
    if (text.empty() || !(label.height > 0))
        return;
    int justification = 0;
    if (label.anchor == Label::Anchor::Centre)
        justification = 1;
    else if (label.anchor == Label::Anchor::Right)
        justification = 2;
    const Point p = label.at;
    out.dxf.writeText(out.dw,
                      DL_TextData(p.x, p.y, 0, p.x, p.y, 0, label.height, 1.0, 0, justification, 0, text,
                                  kTextStyle, angle),
                      onLayer(layer));
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

void writeArc(Output& out, const char* layer, const EllipseArc& arc)
{
    if (!(arc.end > arc.start))
        return;
    const std::optional<DxfEllipse> ellipse = dxfEllipse(arc);
    if (!ellipse || out.options.ellipsesAsPolylines) {
        writePolyline(out, layer, pointsAlong(arc, kPolylineDeviation), false);
        return;
    }
    const DxfEllipse& e = *ellipse;
    out.dxf.writeEllipse(out.dw,
                         DL_EllipseData(e.centre.x, e.centre.y, 0, e.majorAxis.x, e.majorAxis.y, 0, e.ratio,
                                        e.start, e.end),
                         onLayer(layer));
}

void writeDimension(Output& out, const char* layer, const Dimension& dimension)
{
    const DimensionGraphics graphics = dimensionGraphics(dimension, out.figureHeight);
    for (const Line& line : graphics.lines)
        writeLine(out, layer, line);
    for (const auto& [tip, left, right] : graphics.arrows) {
        out.dxf.writeSolid(out.dw,
                           DL_SolidData(tip.x, tip.y, 0, left.x, left.y, 0, right.x, right.y, 0, right.x,
                                        right.y, 0),
                           onLayer(layer));
    }
    writeText(out, layer, graphics.figure, graphics.figureAngle);
}

void writeShape(Output& out, const Shape& shape)
{
    const char* layer = layerName(shape.layer);
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

void writeHeader(Output& out, const Drawing& drawing)
{
    Reach extent;
    extent.add(Point{drawing.extent.left, drawing.extent.bottom});
    extent.add(Point{drawing.extent.right, drawing.extent.top});
    requireWithinReach(extent, "the drawing");

    DL_WriterA& dw = out.dw;
    out.dxf.writeHeader(dw);  // $ACADVER and $HANDSEED
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
    point("$EXTMIN", drawing.extent.left, drawing.extent.bottom);
    point("$EXTMAX", drawing.extent.right, drawing.extent.top);
    dw.dxfString(9, "$LIMMIN");
    dw.dxfReal(10, drawing.extent.left);
    dw.dxfReal(20, drawing.extent.bottom);
    dw.dxfString(9, "$LIMMAX");
    dw.dxfReal(10, drawing.extent.right);
    dw.dxfReal(20, drawing.extent.top);
    dw.dxfString(9, "$TEXTSTYLE");
    dw.dxfString(7, kTextStyle);
    dw.dxfString(9, "$TEXTSIZE");
    dw.dxfReal(40, out.figureHeight);
    dw.dxfString(9, "$LTSCALE");
    dw.dxfReal(40, out.figureHeight / kPrintedTextHeight);
    dw.sectionEnd();
}

void writeTables(Output& out, const std::vector<std::string>& blocks)
{
    DL_Dxf& dxf = out.dxf;
    DL_WriterA& dw = out.dw;
    dw.sectionTables();
    dxf.writeVPort(dw);

    // The patterns as printed, in mm; $LTSCALE scales them to the drawing.
    double centre[] = {31.75, -6.35, 6.35, -6.35};
    double hidden[] = {6.35, -3.175};
    dw.tableLinetypes(5);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CENTER", "Center ____ _ ____ _ ____", 0, 4, 50.8, centre));
    dxf.writeLinetype(dw, DL_LinetypeData("HIDDEN", "Hidden __ __ __ __ __", 0, 2, 9.525, hidden));
    dw.tableEnd();

    dw.tableLayers(static_cast<int>(kLayers.size()) + 1);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", 7, 25, "CONTINUOUS", 1.0));
    for (const LayerStyle& style : kLayers) {
        dxf.writeLayer(dw, DL_LayerData(style.name, 0),
                       DL_Attributes("", style.colour, style.lineweight, style.linetype, 1.0));
    }
    dw.tableEnd();

    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData(kTextStyle, 0, 0.0, 1.0, 0.0, 0, out.figureHeight, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    const double h = out.figureHeight;
    dxf.writeDimStyle(dw, h, h / 2, h / 4, h / 4, h);

    dxf.writeBlockRecord(dw);
    for (const std::string& block : blocks)
        dxf.writeBlockRecord(dw, block);
    dw.tableEnd();
    dw.sectionEnd();
}

void writeBlocks(Output& out, const Drawing& drawing, const std::vector<std::string>& blocks)
{
    DL_Dxf& dxf = out.dxf;
    DL_WriterA& dw = out.dw;
    dw.sectionBlocks();
    for (const char* layout : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(dw, DL_BlockData(layout, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, layout);
    }
    for (std::size_t i = 0; i < drawing.views.size(); ++i) {
        const View& view = drawing.views[i];
        dxf.writeBlock(dw, DL_BlockData(blocks[i], 0, 0.0, 0.0, 0.0));
        for (const Shape& shape : view.shapes) {
            const Reach reach = reachOf(shape);
            if (!reach.finite)
                continue;  // the geometry leaves such shapes out; never write one
            requireWithinReach(reach, "the view " + blocks[i]);
            writeShape(out, shape);
        }
        dxf.writeEndBlock(dw, blocks[i]);
    }
    dw.sectionEnd();
}

void writeInserts(Output& out, const Drawing& drawing, const std::vector<std::string>& blocks)
{
    out.dw.sectionEntities();
    for (std::size_t i = 0; i < drawing.views.size(); ++i) {
        const Point at = drawing.views[i].placement;
        Reach reach;
        reach.add(at);
        requireWithinReach(reach, "the placement of the view " + blocks[i]);
        out.dxf.writeInsert(out.dw, DL_InsertData(blocks[i], at.x, at.y, 0, 1, 1, 1, 0, 1, 1, 0, 0), onLayer("0"));
    }
    out.dw.sectionEnd();
}

// Writes the text into the file in one piece; throws DxfError with the reason.
void writeFile(const std::string& file, const std::string& text)
{
    errno = 0;
#ifdef _WIN32
    // The path is UTF-8; Windows opens the file by its UTF-16 name, whatever the code page.
    std::FILE* out = _wfopen(std::filesystem::path(std::u8string(file.begin(), file.end())).c_str(), L"wb");
#else
    std::FILE* out = std::fopen(file.c_str(), "wb");
#endif
    if (!out)
        throw DxfError(errno != 0 ? std::strerror(errno) : "the file cannot be created");
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    const int error = errno;
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed)
        throw DxfError(std::strerror(!written && error != 0 ? error : errno));
}

}  // namespace

void writeDxfDocument(const Drawing& drawing, const std::string& file, const DxfOptions& options)
{
    std::vector<std::string> blocks;
    for (const View& view : drawing.views)
        blocks.push_back(blockName(view.name));

    DL_Dxf dxf;
    if (dxf.getVersion() != DL_Codes::AC1015)
        throw DxfError("this dxflib does not write AutoCAD 2000 files by default");
    DxfTextWriter dw;
    Output out{dxf, dw, options, figureHeightOf(drawing)};
    writeHeader(out, drawing);
    writeTables(out, blocks);
    writeBlocks(out, drawing, blocks);
    writeInserts(out, drawing, blocks);
    dxf.writeObjects(dw);
    dxf.writeObjectsEnd(dw);
    dw.dxfEOF();
    writeFile(file, dw.text());
}

}  // namespace inlet
