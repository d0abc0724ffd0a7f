#pragma once

// The writers of the formats that need no window system (DXF, the Excel workbook), bound into a registry: what
// inlet-calc writes, and the output module with it.

#include "ExportRegistry.h"

namespace inlet {

void addFileWriters(ExportRegistry& registry);

}  // namespace inlet
