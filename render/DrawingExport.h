#pragma once

// The whole sheet (see Sheet) written to a file. Each function returns an empty text when the
// file has been written, else what went wrong, naming the file; a file is replaced only once
// it has been written completely, and nothing is left behind by a failure. They need a
// QGuiApplication (its fonts), on any platform, offscreen included.

#include "Shapes.h"

#include <QString>

namespace inlet {

// The width of a PNG that exportDrawing() writes.
inline constexpr int kExportPngWidth = 4000;

// SVG in paper millimetres at the sheet's print scale, titled "型线图".
QString writeSvg(const Drawing& drawing, const QString& path);
// PNG `widthPx` pixels wide, as high as the sheet's proportions make it.
QString writePng(const Drawing& drawing, const QString& path, int widthPx);

struct DrawingExportOptions {
    // In a DXF file, each elliptical arc as a polyline within 0.01 mm of it, for CAD programs
    // that misread ELLIPSE entities.
    bool dxfEllipsesAsPolylines = false;
};

// A DXF file for CAD programs: one block per view in its own coordinates, millimetres.
QString writeDxfFile(const Drawing& drawing, const QString& path, bool ellipsesAsPolylines);

// Chooses the format by the file's extension: .dxf, .svg, .png (kExportPngWidth wide).
QString exportDrawing(const Drawing& drawing, const QString& path, const DrawingExportOptions& options = {});
// Whether exportDrawing() writes files with this extension ("svg", any case).
bool canExport(const QString& extension);

}  // namespace inlet
