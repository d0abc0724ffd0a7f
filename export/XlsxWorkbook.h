#pragma once

// The run as an Excel workbook (through libxlsxwriter): the given texts and the values the
// calculation took from them, every result as a number beside its box's text, the stations,
// and the design checks; a spreadsheet to go on calculating with.

#include "ExportFormat.h"

#include <optional>

namespace inlet {

// Writes the workbook of the run to `path`, whole or not at all. Throws a Failure naming the
// file.
void writeXlsx(const ExportInput& input, const QString& path);

}  // namespace inlet
