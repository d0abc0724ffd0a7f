#pragma once

// inlet-calc --csv: one design per CSV row, each row written out as soon as it is computed.

#include "boxes/BoxTexts.h"
#include "messages/Failure.h"
#include "calc/NumberLocale.h"
#include "drawing/WidthSets.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace inlet {

// Reads the CSV from `in` one row at a time and writes the input columns, one column per
// result and an error column for each row to `out`. `source` names the input in messages;
// `defaults` holds the texts of the boxes the CSV has no column for. A design that fails
// keeps the results it reached and its failure is written in its row; a row that cannot be
// read gets its reason there. Throws CommandLineError for a header that is not usable or input
// that is not text (status 2), and when reading or writing fails (status 1). With `checks`, a
// column before the error column lists each computed design's checks, made with the widths
// `widthSet`. `source` is the file as given, empty for standard input. The error column is in
// `language`. `rows`, where given, receives each row written as its cells, the header first,
// as it is written (the workbooks of --xlsx).
using BatchRows = std::function<void(const std::vector<std::string>& cells)>;
void runCsvBatch(std::istream& in, const std::string& source, const BoxTexts& defaults, bool checks,
                 WidthSet widthSet, std::ostream& out, const NumberLocale& locale,
                 Language language = Language::English, const BatchRows& rows = {});

}  // namespace inlet
