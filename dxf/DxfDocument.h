#pragma once

// The DXF file's content, written through dxflib: header, tables, the dimensions' blocks and
// every shape in model space (see DxfWriter.h for what a reader finds in it).

#include "dxf/DxfOptions.h"
#include "drawing/Shapes.h"

#include <string>

namespace inlet {

// The DXF file's text. Throws a Failure (DrawingBeyondReach, DrawingNotFinite) where a
// coordinate is beyond the range a DXF coordinate holds 0.01 mm in. Shapes with a coordinate
// that is not finite are left out.
std::string dxfText(const Drawing& drawing, const DxfOptions& options);

}  // namespace inlet
