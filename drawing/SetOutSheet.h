#pragma once

// The setting-out tables (see SetOut) on sheets of their own that follow the drawing sheet, of
// its paper size, with the frame and title block (图名 放样坐标表, 第 n 张 共 m 张), so that no
// table can stand on a view. The tables run down columns of the frame above the title block,
// left to right, a table that does not fit continuing in the next column ("（续）") with its
// heading again, and onto a further sheet where the columns are full. All in paper mm, x to the
// right and y up from the sheet's bottom-left corner; texts 3.5 mm high on rows of 6 mm.

#include "drawing/DrawingSheet.h"
#include "drawing/SetOut.h"
#include "drawing/Shapes.h"

#include <vector>

namespace inlet {

struct SetOutPage {
    PaperSize paper;
    std::vector<Shape> shapes;  // the trimmed edge, the frame, the title block and the tables
};

// The pages of the tables on `paper` (its size named as drawingSheet() names it: "A1"); the
// title block of each from `block`, numbered as the sheets after the drawing's first.
std::vector<SetOutPage> setOutPages(const SetOut& tables, const TitleBlock& block, const PaperSize& paper);

// How many sheets the drawing and its setting-out tables take on `paper`: 1 + the pages.
int drawingSheetCount(const SetOut& tables, const PaperSize& paper);

}  // namespace inlet
