#pragma once

// Everything the calculation sheet shows: the record of the run (see ExportInput), and how
// the sheet draws its pictures. The sheet takes every figure from here and computes none of
// its own.

#include "export/ExportInput.h"

namespace inlet {

struct SheetInput : ExportInput {
    bool drawings = false;  // whether the sheet carries the drawings and the chart
};

// The sheet of a recorded run: its texts, values, checks and drawings as the record has them.
SheetInput sheetInputFrom(std::shared_ptr<const RunRecord> record, const DesignInfo& info, bool drawings = false);

// The sheet of a design: its texts typed into a fresh set of boxes and the calculation run
// over them, as the window's "计算并打印" runs it, drawn with the design's widths, with its flow.
SheetInput sheetInputFor(const Design& design, const NumberLocale& locale, bool drawings = false);

}  // namespace inlet
