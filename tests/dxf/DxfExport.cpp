// dxf-export: runs the calculation on texts typed as into the window's boxes and writes the
// passage drawn as a DXF file; what the DXF tests drive until inlet-calc writes DXF itself.
//
// Usage: dxf-export [--NAME TEXT]... OUT.dxf [--polylines | --ellipses] [--print-points]
//   NAME among D D0 theta H0 H1 H2 D1 dd0 aa hk (--NAME=TEXT also works); an omitted box
//   keeps a fresh window's text. --polylines writes the elliptical arcs as polylines,
//   --ellipses as ELLIPSE entities (else splines);
//   --print-points prints, once the file is written, the section's key points and the
//   views' placements with 17 significant digits, one "NAME VALUE..." per line.
// Exit status: 0 written, 1 the run or the writing failed (message on standard error, no
// file), 2 usage.

#include "boxes/BoxTexts.h"
#include "export/DrawingSheets.h"
#include "run/CalculationRun.h"
#include "export/ExportInput.h"
#include "dxf/DxfWriter.h"
#include "drawing/PassageGeometry.h"

#include <cstdio>
#include <initializer_list>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace inlet;

namespace {

int usage(const std::string& problem)
{
    std::cerr << "dxf-export: " << problem << "\n"
              << "usage: dxf-export [--NAME TEXT]... OUT.dxf [--polylines] [--print-points]\n"
              << "  NAME among D D0 theta H0 H1 H2 D1 dd0 aa hk\n";
    return 2;
}

std::optional<Box> inputNamed(std::string_view name)
{
    for (const Box box : inputBoxes()) {
        if (boxInfo(box).symbol == name)
            return box;
    }
    return std::nullopt;
}

void print(const char* name, std::initializer_list<double> values)
{
    std::printf("%s", name);
    for (const double v : values)
        std::printf(" %.17g", v);
    std::printf("\n");
}

void print(const char* name, const EllipseArc& arc)
{
    print(name, {arc.centre.x, arc.centre.y, arc.rx, arc.ry, arc.start, arc.end});
}

// The right-hand half of the section through the axis, as the geometry puts it.
void printPoints(const Calculation& c, const Drawing& drawing)
{
    const PassageProfile p = passageProfile(c);
    print("rim", {p.rim.x, p.rim.y});
    print("tangentPoint", {p.tangentPoint.x, p.tangentPoint.y});
    print("coneInlet", {p.coneInlet.x, p.coneInlet.y});
    print("coneTop", {p.coneTop.x, p.coneTop.y});
    print("guideConeTop", {p.guideConeTop.x, p.guideConeTop.y});
    print("guideConeFoot", {p.guideConeFoot.x, p.guideConeFoot.y});
    print("B", {c.B});
    print("hk", {static_cast<double>(c.volute.hk)});
    if (p.bellMouth)
        print("bellMouth", *p.bellMouth);
    if (p.guideCone)
        print("guideCone", *p.guideCone);
    for (const View& view : drawing.views) {
        print(("placement." + view.name).c_str(), {view.placement.x, view.placement.y});
        print(("extent." + view.name).c_str(), {view.extent.left + view.placement.x, view.extent.bottom + view.placement.y,
                                                 view.extent.right + view.placement.x, view.extent.top + view.placement.y});
    }
    // The scale the drawing is printed at.
    print("printScale", {drawing.printScale});
}

}  // namespace

int main(int argc, char** argv)
{
    BoxTexts boxes;
    DxfOptions options;
    bool printing = false;
    std::string out;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--polylines") {
            options.curves = DxfOptions::Curves::Polyline;
        } else if (arg == "--ellipses") {
            options.curves = DxfOptions::Curves::Ellipse;
        } else if (arg == "--print-points") {
            printing = true;
        } else if (arg.starts_with("--")) {
            const std::size_t equals = arg.find('=');
            const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const std::optional<Box> box = inputNamed(name);
            if (!box)
                return usage("unknown option " + arg);
            if (equals != std::string::npos) {
                boxes.type(*box, arg.substr(equals + 1));
            } else {
                if (++i == args.size())
                    return usage(arg + " needs a text");
                boxes.type(*box, args[i]);
            }
        } else if (out.empty()) {
            out = arg;
        } else {
            return usage("more than one output file: " + out + " and " + arg);
        }
    }
    if (out.empty())
        return usage("no output file");

    try {
        const Calculation c = runCalculation(boxes, NumberLocale{".", ","});
        // As every program writes it: the record of the run, its sheet around the views.
        const ExportInput input = exportInputFrom(
            std::make_shared<const RunRecord>(recordRun(boxes, boxes.written(), c, {}, WidthSet::Computed, NumberLocale{".", ","})),
            {});
        const Drawing& drawing = *input.drawing();
        DrawingSheets sheets = drawingSheets(input, drawing, "auto");
        options.sheet = std::move(sheets.views);
        options.setOut = std::move(sheets.setOut);
        writeDxf(drawing, out, options);
        if (printing)
            printPoints(c, drawing);
    } catch (const Failure& failure) {
        std::cerr << "dxf-export: " << render(failure, Language::English) << "\n";
        return 1;
    }
    return 0;
}
