#pragma once

// A study's table as inlet-calc --study writes it (DIR/study.csv), read back for the study
// window: the header's names, then one row per variant, a failed variant kept as its row with
// its failure in the column "error". Columns are found by name, so that columns a study adds
// (the flow's figures, at the flow's depth) are read without a change here.

#include "calc/NumberLocale.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inlet {

class StudyTable {
public:
    StudyTable() = default;
    StudyTable(std::vector<std::string> columns, std::vector<std::vector<std::string>> rows, NumberLocale locale);

    const std::vector<std::string>& columns() const { return columns_; }
    std::size_t rowCount() const { return rows_.size(); }
    // The column of that name, or none.
    std::optional<std::size_t> column(std::string_view name) const;
    const std::string& text(std::size_t row, std::size_t column) const { return rows_[row][column]; }
    // The cell as a number, written as inlet-calc writes numbers in the locale it ran in (its
    // decimal separator, its digit grouping); none for an empty cell or a text.
    std::optional<double> number(std::size_t row, std::size_t column) const;
    // Whether every cell of the column that is not empty is a number (the figures and the
    // inputs that take numbers; not the width set, the checks or the error).
    bool numeric(std::size_t column) const;
    // The variant's failure, as inlet-calc worded it; empty when it computed.
    std::string failure(std::size_t row) const;

private:
    std::vector<std::string> columns_;
    std::vector<std::vector<std::string>> rows_;
    NumberLocale locale_;
};

// The table of the CSV text `csv` (fields separated by commas, a field in double quotes may
// hold commas, doubled quotes and line breaks), its numbers in `locale`. `file` names it in a
// failure: CsvNoHeader for an empty text, CsvQuoteNotClosed, CsvTextAfterQuote, and
// CsvFieldCount for a row of another number of fields than the header (with its line).
StudyTable readStudyTable(std::string_view csv, const NumberLocale& locale, const std::string& file);

}  // namespace inlet
