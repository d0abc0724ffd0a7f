#pragma once

// The run as an Excel workbook (through libxlsxwriter): the given texts and the values the
// calculation took from them, every result as a number beside its box's text, the stations,
// and the design checks; a spreadsheet to go on calculating with.

#include "export/ExportFormat.h"

#include <optional>
#include <string>
#include <vector>

namespace inlet {

// Writes the workbook of the run to `path`, whole or not at all. A text longer than a cell
// holds goes on right of its table (WorkbookSheet). Throws a Failure naming the file.
void writeXlsx(const ExportInput& input, const QString& path);

// A batch of designs as BatchWorkbook writes it, from `rows` held whole: the header first,
// `numbers` marking the columns of numbers. Whole or not at all; throws a Failure naming the
// file. (inlet-calc streams its batches through BatchWorkbook itself.)
void writeBatchXlsx(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& numbers,
                    const NumberLocale& locale, const QString& path);

}  // namespace inlet
