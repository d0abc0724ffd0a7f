#pragma once

// The sheet's section on the flow through the passage: the settled flow computation kept with
// the design, its mesh, settings and figures.

#include "document/FlowRecord.h"
#include "sheet/SheetInput.h"
#include "sheet/TextWriter.h"

#include <QJsonObject>

#include <map>

namespace inlet {

// The flow record a design file keeps under "flow" (settings, texts, result), when it was
// computed for the inputs `texts` hold and the widths `set` (FlowRecord.h) and settled; else an
// empty object, so that no sheet or window shows the figures of another design as this one's.
QJsonObject flowRecordFor(const QJsonObject& flow, const std::map<Box, QString>& texts, WidthSet set);

// N 水力评价 (CFD): the solver and its settings, the mesh, the convergence reached, the wall
// y+ and, per section, Vu, the mean inflow angle, the head loss and the flow through; for a
// record of other inputs (or without settled figures), only a sentence saying so.
void writeFlow(TextWriter& writer, const SheetInput& input, int number);

}  // namespace inlet
