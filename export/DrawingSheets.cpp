#include "export/DrawingSheets.h"

#include "drawing/Figures.h"

namespace inlet {

DrawingSheets drawingSheets(const ExportInput& input, const Drawing& drawing, const std::string& paper)
{
    DrawingSheets sheets;
    sheets.block = titleBlock(input);
    sheets.views = drawingSheet(drawing, sheets.block, paper);
    if (!input.setOut)
        return sheets;
    const int count = drawingSheetCount(*input.setOut, sheets.views.paper);
    sheets.block.sheetOf = join({"第 1 张 共 ", std::to_string(count), " 张"});
    sheets.views = drawingSheet(drawing, sheets.block, paper);
    sheets.setOut = setOutPages(*input.setOut, titleBlock(input), sheets.views.paper);
    return sheets;
}

}  // namespace inlet
