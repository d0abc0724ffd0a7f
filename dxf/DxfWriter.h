#pragma once

// The drawing as a DXF file for AutoCAD and other CAD programs: AutoCAD 2000 (AC1015),
// millimetres (one model unit is 1 mm), one block per view in the view's own coordinates,
// inserted at the view's placement in model space.
//
// Layers OUTLINE (continuous, 0.50 mm), CENTRE (chain line CENTER), HIDDEN (dashed line
// HIDDEN), DIMENSION and TEXT (continuous, 0.25 mm). Elliptical arcs are exact ELLIPSE
// entities; dimensions are drawn as lines, filled arrowheads (SOLID) and TEXT; all text is
// ASCII.

#include "DxfOptions.h"
#include "Shapes.h"

#include <string>

namespace inlet {

// Writes the drawing to `path` (UTF-8 on Windows, the file system's bytes elsewhere), replacing
// a file there only once the whole drawing is written: a failure leaves no partial file and an
// existing file as it was. Throws DxfError naming the file and the reason.
void writeDxf(const Drawing& drawing, const std::string& path, const DxfOptions& options = {});

}  // namespace inlet
