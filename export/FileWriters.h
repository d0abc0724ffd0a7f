#pragma once

// The writers of the formats that need no window system (DXF, the Excel workbook), bound into a registry: what
// inlet-calc writes, and the output module with it.

#include "export/ExportRegistry.h"

namespace inlet {

void addFileWriters(ExportRegistry& registry);

// Adds the figures of the passage's solid (its fluid volume, inlet, outlet and wetted areas)
// to the checks of a completed run, as the calculation sheet and the workbook show them, of the
// solid the choices "length" and "outlet-extension" shape as they shape a STEP written; nothing
// where this build makes no solids or the design has none.
void addSolidFigures(ExportInput& input, const ExportChoices& choices = {});

}  // namespace inlet
