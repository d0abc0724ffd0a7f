#pragma once

// Everything the calculation sheet shows: the record of the run (see ExportInput), and how
// the sheet draws its pictures. The sheet takes every figure from here and computes none of
// its own.

#include "ExportInput.h"

#include <QImage>
#include <QJsonObject>

#include <functional>
#include <string>
#include <vector>

namespace inlet {

// Draws the view named `view` ("SECTION", "PLAN") of `drawing` to the scale 1:`scale` (50
// draws 50 mm of the passage as 1 mm of paper) at `dpi` pixels per inch. The sheet prints
// the picture at that size, states the scale beside it and draws the scale bar under it; the
// picture need not carry either.
using ViewPicture =
    std::function<QImage(const Drawing& drawing, const std::string& view, double scale, int dpi)>;

struct SheetInput : ExportInput {
    ViewPicture picture;  // none leaves the drawings out
    QJsonObject flow;     // the settled flow computed for these very texts, or empty
};

// The sheet of a recorded run: its texts, values, checks and drawings as the record has them.
SheetInput sheetInputFrom(const RunRecord& record, const DesignInfo& info, ViewPicture picture = {});

// The sheet of a design: its texts typed into a fresh set of boxes and the calculation run
// over them, as the window's "计算并打印" runs it, drawn with the design's widths.
SheetInput sheetInputFor(const Design& design, const NumberLocale& locale, ViewPicture picture = {});

}  // namespace inlet
