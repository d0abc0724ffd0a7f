#pragma once

// The whole drawing written to a file, the format chosen by the file's extension: .dxf for CAD
// programs, .svg and .png of the sheet (see Sheet). A failure throws a Failure naming the file;
// a file is replaced only once it has been written completely, and nothing is left behind by
// a failure. They need a
// QGuiApplication (its fonts), on any platform, offscreen included.

#include "Shapes.h"

#include <QString>

namespace inlet {

// The width of a PNG that exportDrawing() writes.
inline constexpr int kExportPngWidth = 4000;

struct DrawingExportOptions {
    // In a DXF file, each elliptical arc as a polyline within 0.01 mm of it, for CAD programs
    // that misread ELLIPSE entities.
    bool dxfEllipsesAsPolylines = false;
};

// .dxf, .svg, .png (kExportPngWidth wide).
void exportDrawing(const Drawing& drawing, const QString& path, const DrawingExportOptions& options = {});
// Whether exportDrawing() writes files with this extension ("svg", any case).
bool canExport(const QString& extension);

}  // namespace inlet
