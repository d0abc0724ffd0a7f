#pragma once

// The DXF file's content, written through dxflib: header, tables, the dimensions' blocks and
// every shape in model space (see DxfWriter.h for what a reader finds in it).

#include "DxfOptions.h"
#include "Shapes.h"

#include <string>

namespace inlet {

// Writes the drawing into `file`, created or emptied first. Throws DxfError with the reason
// alone (the caller names the file): the file cannot be created, a coordinate is beyond the
// range a DXF coordinate holds 0.01 mm in, or the file was cut short. Shapes with a
// coordinate that is not finite are left out.
void writeDxfDocument(const Drawing& drawing, const std::string& file, const DxfOptions& options);

}  // namespace inlet
