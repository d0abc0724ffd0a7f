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

// What a settled run met to stop, in the sheet's words: its figures steady over 100 iterations,
// or, where they swung, their means over the iterations `result.averagedOver` names steady.
// `result` is the record's "result".
QString flowStopCondition(const QJsonObject& result);

// The least and the most figure `figure` ("Vu", "theta", "thetaSwirl", "headLoss") of the
// record's section `section` took over the iterations its value is a mean of, "11.1～13.3"
// with `decimals`; empty where the record keeps no band of it (a run settled steadily, or a
// figure kept before its band was).
QString flowBand(const QJsonObject& section, const QString& figure, int decimals);

// The sentence under the figures of a run settled on its means: over which iterations they are
// means and how far each swung there, per section; empty for a run settled steadily. The sheet
// and the 水力评价 window both print it, so that they cannot differ.
QString flowSwingText(const QJsonObject& result);

// N 水力评价 (CFD): the solver and its settings, the mesh, the convergence reached, the wall
// y+ and, per section, Vu, the mean inflow angle, the head loss and the flow through; for a
// record of other inputs (or without settled figures), only a sentence saying so.
void writeFlow(TextWriter& writer, const SheetInput& input, int number);

}  // namespace inlet
