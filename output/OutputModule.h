#pragma once

// What needs Qt Svg, Qt Print Support or dxflib lives in a module of its own (inlet-output),
// loaded the first time it is needed, so that none of these libraries is loaded before the
// window's first frame: SVG and DXF files of the drawing, and the calculation sheet's print
// preview and printing.

#include "SheetInput.h"
#include "Shapes.h"

#include <QString>

class QWidget;

namespace inlet {

class OutputModule {
public:
    virtual ~OutputModule() = default;

    // Each throws a Failure naming the file or the printer when it cannot be done (a
    // cancelled print is done). A file is replaced only once it has been written whole.
    virtual void writeSvg(const Drawing& drawing, const QString& path) = 0;
    virtual void writeDxf(const Drawing& drawing, const QString& path, bool ellipsesAsPolylines) = 0;
    virtual void previewSheet(QWidget& parent, const SheetInput& input) = 0;
    virtual void printSheet(QWidget& parent, const SheetInput& input) = 0;
};

// The module, loaded the first time it is asked for: beside the program, in the library folder
// it is installed to, or in the build tree. Throws ModuleMissing where it cannot be loaded.
OutputModule& outputModule();

}  // namespace inlet

// The one function the module exports.
extern "C" inlet::OutputModule* inletOutputModule();
