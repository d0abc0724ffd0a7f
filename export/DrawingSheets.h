#pragma once

// The sheets a drawing is filed on: the drawing sheet of its views, then the sheets of its
// setting-out tables (SetOutSheet) of the same paper size, each title block numbered
// "第 n 张 共 m 张". What the DXF and the drawing PDF write; one place that numbers them.

#include "drawing/DrawingSheet.h"
#include "export/ExportInput.h"
#include "drawing/SetOutSheet.h"

#include <string>
#include <vector>

namespace inlet {

struct DrawingSheets {
    DrawingSheet views;
    TitleBlock block;                 // the views' title block, numbered
    std::vector<SetOutPage> setOut;   // none without a completed run
};

DrawingSheets drawingSheets(const ExportInput& input, const Drawing& drawing, const std::string& paper);

}  // namespace inlet
