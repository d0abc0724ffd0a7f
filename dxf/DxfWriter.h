#pragma once

// The drawing as a DXF file for AutoCAD and other CAD programs: AutoCAD 2007 (AC1021, text
// in UTF-8, dxflib's AutoCAD 2000 structure), millimetres (one model unit is 1 mm), every view
// at full size at its place in model space, and the sheet's frame and title block around them
// at the print scale (DxfOptions::sheet).
//
// Layers OUTLINE (continuous, 0.50 mm), CENTRE (chain line CENTER), HIDDEN (dashed line
// HIDDEN), DIMENSION and TEXT (continuous, 0.25 mm); line type patterns in paper mm and
// $LTSCALE the print scale. Elliptical arcs are splines (or ELLIPSE entities, or polylines:
// DxfOptions); dimensions are DIMENSION entities with their blocks and the style INLET; labels
// in the long FangSong style FS, dimension figures in the SHX style HZ.

#include "dxf/DxfOptions.h"
#include "drawing/Shapes.h"

#include <string>

namespace inlet {

// Writes the drawing to `path` as every file is written (see SaveFile.h): whole or not at
// all. Throws a Failure naming the file and the reason.
void writeDxf(const Drawing& drawing, const std::string& path, const DxfOptions& options = {});

// The drawing's DXF text, for writing elsewhere. Throws a Failure where it cannot be made.
std::string dxfText(const Drawing& drawing, const DxfOptions& options = {});

}  // namespace inlet
