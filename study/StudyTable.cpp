#include "study/StudyTable.h"

#include "messages/Failure.h"

#include <algorithm>
#include <charconv>

namespace inlet {

StudyTable::StudyTable(std::vector<std::string> columns, std::vector<std::vector<std::string>> rows, NumberLocale locale)
    : columns_(std::move(columns)), rows_(std::move(rows)), locale_(std::move(locale))
{
}

std::optional<std::size_t> StudyTable::column(std::string_view name) const
{
    const auto it = std::find(columns_.begin(), columns_.end(), name);
    if (it == columns_.end())
        return std::nullopt;
    return std::size_t(it - columns_.begin());
}

std::optional<double> StudyTable::number(std::size_t row, std::size_t column) const
{
    const std::string& cell = rows_[row][column];
    // The text in the C form: grouping dropped, the decimal separator a full stop. A cell
    // that holds anything else is a text.
    std::string plain;
    for (std::size_t i = 0; i < cell.size();) {
        if (!locale_.groupSeparator.empty() && cell.compare(i, locale_.groupSeparator.size(), locale_.groupSeparator) == 0
            && locale_.groupSeparator != locale_.decimalSeparator) {
            i += locale_.groupSeparator.size();
        } else if (!locale_.decimalSeparator.empty()
                   && cell.compare(i, locale_.decimalSeparator.size(), locale_.decimalSeparator) == 0) {
            plain.push_back('.');
            i += locale_.decimalSeparator.size();
        } else {
            plain.push_back(cell[i++]);
        }
    }
    if (plain.empty())
        return std::nullopt;
    double value = 0;
    const char* end = plain.data() + plain.size();
    const auto [stop, error] = std::from_chars(plain.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

bool StudyTable::numeric(std::size_t column) const
{
    bool any = false;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row][column].empty())
            continue;
        if (!number(row, column))
            return false;
        any = true;
    }
    return any;
}

std::string StudyTable::failure(std::size_t row) const
{
    const std::optional<std::size_t> error = column("error");
    return error ? rows_[row][*error] : std::string();
}

StudyTable readStudyTable(std::string_view csv, const NumberLocale& locale, const std::string& file)
{
    std::vector<std::vector<std::string>> records;
    std::vector<long long> lines;  // the line each record begins on
    std::vector<std::string> fields;
    std::string field;
    long long line = 1;
    long long recordLine = 1;
    std::size_t i = 0;
    bool fieldStarted = false;  // the record has a field, though it may be empty
    const auto endRecord = [&] {
        fields.push_back(std::move(field));
        field.clear();
        records.push_back(std::move(fields));
        lines.push_back(recordLine);
        fields.clear();
        fieldStarted = false;
    };
    while (i < csv.size()) {
        const char c = csv[i];
        if (c == '"' && field.empty()) {
            // A quoted field: up to the quote that is not doubled.
            const long long opened = line;
            ++i;
            for (;;) {
                if (i >= csv.size())
                    throw Failure{.kind = Failure::Kind::CsvQuoteNotClosed, .file = file, .line = opened};
                if (csv[i] == '"') {
                    if (i + 1 < csv.size() && csv[i + 1] == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (csv[i] == '\n')
                    ++line;
                field.push_back(csv[i++]);
            }
            fieldStarted = true;
            if (i < csv.size() && csv[i] != ',' && csv[i] != '\n' && csv[i] != '\r')
                throw Failure{.kind = Failure::Kind::CsvTextAfterQuote, .file = file, .line = line};
            continue;
        }
        if (c == ',') {
            fields.push_back(std::move(field));
            field.clear();
            fieldStarted = true;
            ++i;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n')
                ++i;
            ++i;
            if (fieldStarted || !field.empty() || !fields.empty())
                endRecord();
            ++line;
            recordLine = line;
        } else {
            field.push_back(c);
            fieldStarted = true;
            ++i;
        }
    }
    if (fieldStarted || !field.empty() || !fields.empty())
        endRecord();
    if (records.empty())
        throw Failure{.kind = Failure::Kind::CsvNoHeader, .file = file};
    std::vector<std::string> columns = std::move(records.front());
    std::vector<std::vector<std::string>> rows;
    for (std::size_t r = 1; r < records.size(); ++r) {
        if (records[r].size() != columns.size())
            throw Failure{.kind = Failure::Kind::CsvFieldCount, .file = file, .line = lines[r],
                          .number = (long long)records[r].size(), .limit = (long long)columns.size()};
        rows.push_back(std::move(records[r]));
    }
    return StudyTable(std::move(columns), std::move(rows), locale);
}

}  // namespace inlet
