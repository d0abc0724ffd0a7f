#pragma once

// The run as an Excel workbook (through libxlsxwriter): the given texts and the values the
// calculation took from them, every result as a number beside its box's text, the stations,
// and the design checks; a spreadsheet to go on calculating with.

#include "ExportFormat.h"

#include <optional>
#include <string>
#include <vector>

namespace inlet {

// Writes the workbook of the run to `path`, whole or not at all. Throws a Failure naming the
// file.
void writeXlsx(const ExportInput& input, const QString& path);

// A batch of designs as one sheet, "批量计算": `rows` as the CSV batch writes them, the header
// first. A cell of a column marked in `numbers` that is a plain number in the locale's notation
// ("0400", "-0008", "1149,95001220703") is written as that number; every other cell as its
// text (the typed texts always). Whole or not at all; throws a Failure naming the file.
void writeBatchXlsx(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& numbers,
                    const NumberLocale& locale, const QString& path);

}  // namespace inlet
