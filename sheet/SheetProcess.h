#pragma once

// 4 计算过程 of the calculation sheet: every formula in the order the calculation evaluates it,
// and for a completed run the figures it took substituted into each, with the value each gave;
// and the appendix on how the boxes are read, which values are single precision and how the
// results are shown.

#include "sheet/SheetInput.h"
#include "sheet/TextWriter.h"

namespace inlet {

// 4 计算过程 with 4.1 to 4.4 (profiles, tangent point, station widths, passage size).
void writeProcess(TextWriter& writer, const SheetInput& input);

// 附录 A: reading the boxes, single precision, and the display of results.
void writeAppendix(TextWriter& writer);

}  // namespace inlet
