#pragma once

// The drawing on a sheet as drawing offices file it: a GB/T 14689 size (A0 to A3, landscape)
// with its trimmed edge, the frame inside a binding margin, and a title block of the GB/T
// 10609.1 size (180 x 56 mm) in the frame's bottom right corner; the views at the largest
// scale of the series (see DrawingScale) that fits the frame above the title block. All in
// paper millimetres, x to the right and y up from the sheet's bottom-left corner.

#include "drawing/Shapes.h"

#include <string>
#include <vector>

namespace inlet {

// What the title block shows.
struct TitleBlock {
    std::string unit;      // 设计单位
    std::string project;   // 工程名称
    std::string title;     // 图名: "进水流道型线图"
    std::string number;    // 图号
    std::string stage;     // 设计阶段
    std::string designer;  // 设计
    std::string checker;   // 校核
    std::string reviewer;  // 审查
    std::string approver;  // 审定
    std::string ratifier;  // 批准
    std::string date;         // of 设计 and 校核
    std::string reviewDate;   // of 审查, 审定, 批准
    std::string approveDate;
    std::string ratifyDate;
    std::string sheetOf;    // "第 1 张 共 2 张"; empty: "第 1 张 共 1 张"
    std::string scaleText;  // 比例 of a sheet of tables ("—"); empty: the views' "1:N"
};

struct PaperSize {
    const char* name;  // "A1"
    double width = 0;  // mm, landscape
    double height = 0;
};

// A0 to A3, largest first.
const std::vector<PaperSize>& paperSizes();

struct DrawingSheet {
    PaperSize paper;
    double scale = 1;       // the views are printed at 1:scale
    Extent frame;           // the frame's inside
    Extent viewArea;        // where the views stand: the frame above the title block's top
    Point viewsOrigin;      // where the drawing's point (0, 0) lands on the paper
    std::vector<Shape> shapes;  // the trimmed edge, the frame, the title block's lines and texts
};

// The sheet for a drawing: `paper` names a size ("A1"), or is "auto" (or anything else) for the
// smallest size that holds the views at the largest scale at which the largest size holds
// them; the drawing's own print scale where it holds on that size. A text longer than its box
// is cut with "…".
DrawingSheet drawingSheet(const Drawing& drawing, const TitleBlock& block, const std::string& paper = "auto");

// The name of the view withSheet() adds.
inline constexpr const char* kSheetView = "SHEET";

// The drawing with the sheet around it, as the drawing window shows it: the trimmed edge, the
// frame and the title block as one more view, kSheetView, in the drawing's own millimetres
// (the paper's times the print scale).
Drawing withSheet(const Drawing& drawing, const DrawingSheet& sheet);

// The scale (its denominator) at which a drawing of `extent` is printed on `paper` ("A0" … "A3";
// else the scale at which A0 holds it, the largest any size allows).
double sheetScale(const Extent& extent, const std::string& paper);

// `text` cut to at most `width` mm at `height` mm (rough widths: a Chinese character as wide as
// high, others 0.6 of it), ending with "…" where it was cut.
std::string fitText(const std::string& text, double height, double width);

}  // namespace inlet
