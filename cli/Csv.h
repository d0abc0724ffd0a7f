#pragma once

// Comma-separated values as RFC 4180 writes them: fields holding a comma, a double quote or a
// line break are quoted, a double quote inside is doubled.

#include <string>
#include <string_view>
#include <vector>

namespace inlet {

class CsvReader {
public:
    // A leading UTF-8 byte order mark, as spreadsheet programs write, is skipped.
    explicit CsvReader(std::string_view text);

    // Reads the next record into `fields`; false at the end of the text. Accepts LF and
    // CRLF line ends; a completely empty line is skipped.
    bool next(std::vector<std::string>& fields);
    // The line on which the record last read began, counting from 1.
    long line() const { return recordLine_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    long currentLine_ = 1;
    long recordLine_ = 0;
};

// Appends `field` to `out`, quoted where it needs to be.
void appendCsvField(std::string& out, std::string_view field);

}  // namespace inlet
