#pragma once

// The sheet's section on the flow through the passage: the settled flow computation kept with
// the design, its mesh, settings and figures.

#include "SheetInput.h"
#include "TextWriter.h"

#include <QJsonObject>

#include <map>

namespace inlet {

// The flow record a design file keeps under "flow" (settings, texts, result), when it was
// computed for exactly `texts` and settled; else an empty object, so that no sheet or window
// shows the figures of another design.
QJsonObject flowRecordFor(const QJsonObject& flow, const std::map<Box, QString>& texts);

// A section's and a mesh level's names as the sheet and the window write them ("水泵进口断面",
// "粗网格").
QString flowSectionName(const QString& name);
QString flowLevelName(const QString& level);

// N 水力评价 (CFD): the solver and its settings, the mesh, the convergence reached, the wall
// y+ and, per section, Vu, the mean inflow angle, the head loss and the flow through.
void writeFlow(TextWriter& writer, const SheetInput& input, int number);

}  // namespace inlet
