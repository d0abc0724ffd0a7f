#pragma once

// The whole drawing written to a file, the format chosen by the file's extension: .dxf for CAD
// programs, .svg and .png of the sheet (see Sheet). Each returns an empty text when the file
// has been written, else what went wrong, naming the file; a file is replaced only once it has
// been written completely, and nothing is left behind by a failure. They need a
// QGuiApplication (its fonts), on any platform, offscreen included.

#include "Shapes.h"

#include <QString>
#include <QStringList>

namespace inlet {

// The width of a PNG that exportDrawing() writes.
inline constexpr int kExportPngWidth = 4000;

struct DrawingExportOptions {
    // In a DXF file, each elliptical arc as a polyline within 0.01 mm of it, for CAD programs
    // that misread ELLIPSE entities.
    bool dxfEllipsesAsPolylines = false;
};

// .dxf, .svg, .png (kExportPngWidth wide).
QString exportDrawing(const Drawing& drawing, const QString& path, const DrawingExportOptions& options = {});
// The extensions exportDrawing() writes in this build, in the order menus list them: "dxf",
// "svg" where the build has Qt Svg, "png".
QStringList drawingExtensions();
// Whether exportDrawing() writes files with this extension ("svg", any case).
bool canExport(const QString& extension);

}  // namespace inlet
