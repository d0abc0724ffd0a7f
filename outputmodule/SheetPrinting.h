#pragma once

// The calculation sheet on paper: the print preview and printing, both painting the one
// document page by page as the PDF does. Part of the module inlet-output.

#include "sheet/SheetInput.h"

#include <QString>

class QWidget;

namespace inlet {

// Shows the sheet in the print preview (A4 portrait), from which it can be printed. Throws
// PrinterFailed where the sheet could not be painted.
void previewSheet(QWidget& parent, const SheetInput& input);

// Asks for a printer and prints the sheet on it (or nothing when cancelled). Throws
// PrinterFailed where it could not be printed.
void printSheet(QWidget& parent, const SheetInput& input);

}  // namespace inlet
