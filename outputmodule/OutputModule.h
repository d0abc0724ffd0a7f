#pragma once

// What needs Qt Svg, Qt Print Support or the writers' libraries (dxflib, ...) lives in a
// module of its own (inlet-output), loaded the first time it is needed, so that none of these
// libraries is loaded before the window's first frame: every format's writer, and the
// calculation sheet's print preview and printing.

#include "export/ExportRegistry.h"
#include "sheet/SheetInput.h"

#include <QString>

class QWidget;

namespace inlet {

class OutputModule {
public:
    virtual ~OutputModule() = default;

    // Every format with its writer.
    virtual const ExportRegistry& formats() = 0;
    // Each throws a Failure naming the printer when it cannot be done (a cancelled print is
    // done).
    virtual void previewSheet(QWidget& parent, const SheetInput& input) = 0;
    virtual void printSheet(QWidget& parent, const SheetInput& input) = 0;
};

// The module, loaded the first time it is asked for (ModuleLoader.h): beside the program, in the
// folder it is installed to, or in the build tree. Throws ModuleMissing where it cannot be loaded.
OutputModule& outputModule();

// The program's formats: every format of the build, each written by the module, which is
// loaded the first time a file is written.
const ExportRegistry& outputFormats();

}  // namespace inlet

// The one function the module exports.
extern "C" inlet::OutputModule* inletOutputModule();
