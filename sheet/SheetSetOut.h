#pragma once

// 附录 B of the calculation sheet: the setting-out tables (SetOut) of the widths the drawings
// use, as the drawing sheet, the DXF and the workbook carry them.

#include "sheet/SheetInput.h"
#include "sheet/TextWriter.h"

namespace inlet {

// Nothing without a completed run.
void writeSetOutAppendix(TextWriter& writer, const SheetInput& input);

}  // namespace inlet
