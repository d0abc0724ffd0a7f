#pragma once

// Comma-separated values read one physical line at a time, each line one record, as the
// boxes they go into hold one line: a quoted field may hold commas and doubled quotes but no
// line break. Lines end with LF or CRLF; empty lines are skipped; a leading UTF-8 byte order
// mark, as spreadsheet programs write, is skipped.

#include "messages/Failure.h"
#include "cli/LineReader.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace inlet {

struct CsvRecord {
    std::vector<std::string> fields;
    // Why the line could not be split into fields, naming the line; then `fields` is empty.
    std::optional<Failure> error;
    long line = 0;  // counting from 1
};

class CsvReader {
public:
    // `source` and `beforeWaiting` as for LineReader.
    CsvReader(std::istream& in, std::string source, std::function<void()> beforeWaiting);

    // Reads the next record; false at the end of the input. Throws CommandLineError when
    // reading fails (status 1) or the input is not text, i.e. holds a NUL byte (status 2).
    bool next(CsvRecord& record);

private:
    LineReader lines_;
};

}  // namespace inlet
