#include "drawing/DrawingSheet.h"

#include "drawing/DrawingScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

namespace inlet {

namespace {

constexpr double kBinding = 25;        // the binding margin on the left
constexpr double kTitleWidth = 180;    // GB/T 10609.1
constexpr double kTitleHeight = 56;
constexpr double kRow = 7;             // the title block's rows
constexpr double kGap = 5;             // between the views and the frame

double marginFor(const PaperSize& paper) { return paper.width >= 594 ? 10 : 5; }

// The frame's inside on a paper: the binding margin left, the margin elsewhere.
Extent frameOf(const PaperSize& paper)
{
    const double m = marginFor(paper);
    return {kBinding, m, paper.width - m, paper.height - m};
}

// Where views fit: the frame less a gap, above the title block.
Extent viewAreaOf(const Extent& frame)
{
    return {frame.left + kGap, frame.bottom + kTitleHeight + kGap, frame.right - kGap, frame.top - kGap};
}

// The rough width of a UTF-8 text, as Shapes' extents count it.
double roughWidth(const std::string& text, double height)
{
    double width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) == 0x80)
            continue;
        width += byte >= 0xE0 ? height : 0.6 * height;
    }
    return width;
}

struct Builder {
    std::vector<Shape> shapes;
    void line(Layer layer, Point a, Point b) { shapes.push_back({layer, Line{a, b}}); }
    void rect(Layer layer, const Extent& e)
    {
        shapes.push_back({layer, Polyline{{{e.left, e.bottom}, {e.right, e.bottom}, {e.right, e.top}, {e.left, e.top}}, true}});
    }
    // Text centred in a box, cut to fit it.
    void text(const Extent& box, const std::string& value, double height)
    {
        if (value.empty())
            return;
        const std::string shown = fitText(value, height, box.width() - 2);
        shapes.push_back({Layer::Text, Label{{(box.left + box.right) / 2, (box.bottom + box.top) / 2 - height / 2},
                                             height, Label::Anchor::Centre, shown, shown}});
    }
};

}  // namespace

const std::vector<PaperSize>& paperSizes()
{
    static const std::vector<PaperSize> kSizes{
        {"A0", 1189, 841}, {"A1", 841, 594}, {"A2", 594, 420}, {"A3", 420, 297}};
    return kSizes;
}

std::string fitText(const std::string& text, double height, double width)
{
    if (roughWidth(text, height) <= width)
        return text;
    const std::string ellipsis = "…";
    std::string cut;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
            ++length;
        const std::string next = cut + text.substr(i, length);
        if (roughWidth(next + ellipsis, height) > width)
            break;
        cut = next;
        i += length;
    }
    return cut + ellipsis;
}

double sheetScale(const Extent& extent, const std::string& paper)
{
    const std::vector<PaperSize>& sizes = paperSizes();
    const auto named = std::find_if(sizes.begin(), sizes.end(), [&paper](const PaperSize& p) { return paper == p.name; });
    const PaperSize& on = named != sizes.end() ? *named : sizes.front();
    const Extent area = viewAreaOf(frameOf(on));
    const double scale = drawingScale(extent, area.width(), area.height());
    return scale > 0 ? scale : 1.0;
}

DrawingSheet drawingSheet(const Drawing& drawing, const TitleBlock& block, const std::string& paper)
{
    const std::vector<PaperSize>& sizes = paperSizes();
    const auto holdsAt = [&drawing](const PaperSize& p, double scale) {
        const Extent area = viewAreaOf(frameOf(p));
        const Extent& e = drawing.extent;
        return e.width() / scale <= area.width() * (1 + 1e-9) && e.height() / scale <= area.height() * (1 + 1e-9);
    };
    PaperSize chosen = sizes.front();
    double scale = 0;
    const auto named = std::find_if(sizes.begin(), sizes.end(), [&paper](const PaperSize& p) { return paper == p.name; });
    if (named != sizes.end()) {
        chosen = *named;
        scale = holdsAt(chosen, drawing.printScale) ? drawing.printScale : sheetScale(drawing.extent, paper);
    } else {
        // The largest scale any size allows is the one the largest allows (or the drawing's own
        // where A0 holds it); the smallest size that holds the views at it.
        scale = holdsAt(chosen, drawing.printScale) ? drawing.printScale : sheetScale(drawing.extent, "A0");
        for (const PaperSize& p : sizes) {
            if (holdsAt(p, scale))
                chosen = p;
        }
    }

    DrawingSheet sheet;
    sheet.paper = chosen;
    sheet.scale = scale;
    sheet.frame = frameOf(chosen);
    sheet.viewArea = viewAreaOf(sheet.frame);
    // The views centred in their area.
    const Extent& e = drawing.extent;
    const double s = 1 / sheet.scale;
    const double cx = (sheet.viewArea.left + sheet.viewArea.right) / 2 - s * (e.left + e.right) / 2;
    const double cy = (sheet.viewArea.bottom + sheet.viewArea.top) / 2 - s * (e.bottom + e.top) / 2;
    sheet.viewsOrigin = {cx, cy};

    Builder b;
    b.rect(Layer::Dimension, {0, 0, chosen.width, chosen.height});  // the trimmed edge, thin
    b.rect(Layer::Outline, sheet.frame);

    // The title block: 180 x 56 in the frame's bottom right corner, eight rows of 7 mm.
    const double x0 = sheet.frame.right - kTitleWidth, y0 = sheet.frame.bottom;
    b.rect(Layer::Outline, {x0, y0, sheet.frame.right, y0 + kTitleHeight});
    const auto box = [x0, y0](double left, double right, int fromRow, int rows) {
        // Rows counted from the top (0) down.
        const double top = y0 + kTitleHeight - fromRow * kRow;
        return Extent{x0 + left, top - rows * kRow, x0 + right, top};
    };
    const auto frameBox = [&b](const Extent& e) { b.rect(Layer::Dimension, e); };
    // Left: the unit over two rows, then the signatures: role, name, date.
    frameBox(box(0, 100, 0, 2));
    b.text(box(0, 100, 0, 2), block.unit, 5);
    const std::tuple<const char*, const std::string*, const std::string*> signatures[] = {
        {"批准", &block.ratifier, &block.ratifyDate}, {"审定", &block.approver, &block.approveDate},
        {"审查", &block.reviewer, &block.reviewDate}, {"校核", &block.checker, &block.date},
        {"设计", &block.designer, &block.date}};
    frameBox(box(0, 15, 2, 1));
    b.text(box(0, 15, 2, 1), "职责", 3.5);
    frameBox(box(15, 60, 2, 1));
    b.text(box(15, 60, 2, 1), "签名", 3.5);
    frameBox(box(60, 100, 2, 1));
    b.text(box(60, 100, 2, 1), "日期", 3.5);
    int row = 3;
    for (const auto& [role, name, date] : signatures) {
        frameBox(box(0, 15, row, 1));
        b.text(box(0, 15, row, 1), role, 3.5);
        frameBox(box(15, 60, row, 1));
        b.text(box(15, 60, row, 1), *name, 3.5);
        frameBox(box(60, 100, row, 1));
        if (!name->empty())
            b.text(box(60, 100, row, 1), *date, 3.5);
        ++row;
    }
    // Right: the project, the drawing's name, its scale and stage, its number.
    frameBox(box(100, 115, 0, 2));
    b.text(box(100, 115, 0, 2), "工程", 3.5);
    frameBox(box(115, 180, 0, 2));
    b.text(box(115, 180, 0, 2), block.project, 3.5);
    frameBox(box(100, 180, 2, 3));
    b.text(box(100, 180, 2, 3), block.title, 7);
    char scaleText[32];
    std::snprintf(scaleText, sizeof scaleText, "1:%g", sheet.scale);
    frameBox(box(100, 115, 5, 1));
    b.text(box(100, 115, 5, 1), "比例", 3.5);
    frameBox(box(115, 140, 5, 1));
    b.text(box(115, 140, 5, 1), block.scaleText.empty() ? std::string(scaleText) : block.scaleText, 3.5);
    frameBox(box(140, 155, 5, 1));
    b.text(box(140, 155, 5, 1), "阶段", 3.5);
    frameBox(box(155, 180, 5, 1));
    b.text(box(155, 180, 5, 1), block.stage, 3.5);
    frameBox(box(100, 115, 6, 1));
    b.text(box(100, 115, 6, 1), "图号", 3.5);
    frameBox(box(115, 180, 6, 1));
    b.text(box(115, 180, 6, 1), block.number, 3.5);
    frameBox(box(100, 115, 7, 1));
    b.text(box(100, 115, 7, 1), "图幅", 3.5);
    frameBox(box(115, 140, 7, 1));
    b.text(box(115, 140, 7, 1), chosen.name, 3.5);
    frameBox(box(140, 180, 7, 1));
    b.text(box(140, 180, 7, 1), block.sheetOf.empty() ? std::string("第 1 张 共 1 张") : block.sheetOf, 3.5);
    sheet.shapes = std::move(b.shapes);
    return sheet;
}

Drawing withSheet(const Drawing& drawing, const DrawingSheet& sheet)
{
    const double k = sheet.scale;
    View view{kSheetView, "", {}, {0, 0, k * sheet.paper.width, k * sheet.paper.height}, {-k * sheet.viewsOrigin.x, -k * sheet.viewsOrigin.y}};
    for (const Shape& shape : sheet.shapes)
        view.shapes.push_back(transformed(shape, {}, k));
    Drawing on = drawing;
    on.extent = unite(drawing.extent, {view.placement.x, view.placement.y, view.placement.x + view.extent.right,
                                       view.placement.y + view.extent.top});
    on.views.push_back(std::move(view));
    return on;
}

}  // namespace inlet
