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

    // Each returns an empty text when done (or cancelled), else what went wrong, in Chinese,
    // naming the file or the printer. A file is replaced only once it has been written whole.
    virtual QString writeSvg(const Drawing& drawing, const QString& path) = 0;
    virtual QString writeDxf(const Drawing& drawing, const QString& path, bool ellipsesAsPolylines) = 0;
    virtual QString previewSheet(QWidget& parent, const SheetInput& input) = 0;
    virtual QString printSheet(QWidget& parent, const SheetInput& input) = 0;
};

// The module, loaded the first time it is asked for: beside the program, in the library folder
// it is installed to, or in the build tree. Null where it cannot be loaded, `why` then says
// why.
OutputModule* outputModule(QString* why = nullptr);

}  // namespace inlet

// The one function the module exports.
extern "C" inlet::OutputModule* inletOutputModule();
