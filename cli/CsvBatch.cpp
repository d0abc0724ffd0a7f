#include "cli/CsvBatch.h"

#include "run/CalculationRun.h"
#include "cli/CheckText.h"
#include "cli/CheckedOutput.h"
#include "cli/CommandLineError.h"
#include "cli/CsvReader.h"
#include "cli/Options.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace inlet {

namespace {

CommandLineError headerError(Failure::Kind kind, std::string item = {})
{
    return {CommandLineError::kUsage, Failure{.kind = kind, .item = std::move(item)}};
}

// The input box of each column of the header, in its order.
std::vector<Box> headerColumns(const CsvRecord& header)
{
    if (header.error)
        throw CommandLineError{CommandLineError::kUsage, *header.error};
    const std::vector<std::string>& names = header.fields;
    for (const std::string& name : names)
        if (!isUtf8(name))
            throw headerError(Failure::Kind::CsvHeaderNotUtf8, name);
    if (names.size() > 1 && names.back().empty())
        throw headerError(Failure::Kind::CsvHeaderTrailingComma);

    std::vector<Box> columns;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (name.empty()) {
            CommandLineError e = headerError(Failure::Kind::CsvColumnUnnamed);
            e.failure.number = static_cast<long long>(i + 1);
            throw e;
        }
        const auto box = inputNamed(name);
        if (!box)
            throw headerError(Failure::Kind::CsvUnknownColumn, name);
        if (std::find(columns.begin(), columns.end(), *box) != columns.end())
            throw headerError(Failure::Kind::CsvColumnTwice, name);
        columns.push_back(*box);
    }
    return columns;
}

// Appends `field`, quoted where it needs to be as RFC 4180 writes it: a field holding a comma,
// a double quote or a line break is quoted, a double quote inside is doubled.
void appendCsvField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (const char c : field) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

}  // namespace

void runCsvBatch(std::istream& in, const std::string& source, const BoxTexts& defaults, bool checks,
                 WidthSet widthSet, std::ostream& out, const NumberLocale& locale, Language language,
                 const BatchRows& rows)
{
    CheckedOutput output(out);
    // Rows go out whenever the input makes us wait, so that each row of a design typed or
    // piped in appears as soon as its line has arrived.
    CsvReader reader(in, source, [&output] { output.flush(); });

    CsvRecord record;
    if (!reader.next(record))
        throw headerError(Failure::Kind::CsvNoHeader);
    const std::vector<Box> columns = headerColumns(record);

    std::string& text = output.text();
    for (const std::string& name : record.fields) {
        appendCsvField(text, name);
        text.push_back(',');
    }
    for (const Box box : resultWriteOrder())
        text.append(boxInfo(box).symbol).push_back(',');
    text.append(checks ? "checks,error\n" : "error\n");
    std::vector<std::string> cells;  // the row as `rows` receives it
    if (rows) {
        cells = record.fields;
        for (const Box box : resultWriteOrder())
            cells.emplace_back(boxInfo(box).symbol);
        if (checks)
            cells.emplace_back("checks");
        cells.emplace_back("error");
        rows(cells);
    }

    BoxTexts boxes = defaults;
    while (reader.next(record)) {
        std::optional<Failure> failure = record.error;
        std::string checkList;
        boxes.clearWritten();
        if (!failure && record.fields.size() != columns.size()) {
            failure = Failure{.kind = Failure::Kind::CsvFieldCount};
            failure->line = record.line;
            failure->number = static_cast<long long>(record.fields.size());
            failure->limit = static_cast<long long>(columns.size());
        } else if (!failure && !std::all_of(record.fields.begin(), record.fields.end(),
                                            [](const std::string& field) { return isUtf8(field); })) {
            failure = Failure{.kind = Failure::Kind::CsvRowNotUtf8};
            failure->line = record.line;
            record.fields.clear();  // the output stays UTF-8
        } else if (!failure) {
            for (std::size_t i = 0; i < columns.size(); ++i)
                boxes.type(columns[i], record.fields[i]);
            try {
                const Calculation c = runCalculation(boxes, locale);
                if (checks)
                    checkList = checkCell(designChecks(c, widthSets(c), widthSet, boxes, locale), locale);
            } catch (const Failure& f) {
                failure = f;
            }
        }
        record.fields.resize(columns.size());

        for (const std::string& cell : record.fields) {
            appendCsvField(text, cell);
            text.push_back(',');
        }
        const std::size_t reached = boxes.written().size();
        for (std::size_t i = 0; i < resultWriteOrder().size(); ++i) {
            if (i < reached)
                appendCsvField(text, boxes.text(resultWriteOrder()[i]));
            text.push_back(',');
        }
        if (checks) {
            appendCsvField(text, checkList);
            text.push_back(',');
        }
        const std::string error = failure ? render(*failure, language) : std::string();
        appendCsvField(text, error);
        text.push_back('\n');
        if (rows) {
            cells.assign(record.fields.begin(), record.fields.end());
            for (std::size_t i = 0; i < resultWriteOrder().size(); ++i)
                cells.push_back(i < reached ? boxes.text(resultWriteOrder()[i]) : std::string());
            if (checks)
                cells.push_back(checkList);
            cells.push_back(error);
            rows(cells);
        }
        output.writeIfLarge();
    }
    output.flush();
}

}  // namespace inlet
