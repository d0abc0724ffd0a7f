#include "CsvBatch.h"

#include "CalculationRun.h"
#include "CheckText.h"
#include "CheckedOutput.h"
#include "CommandLineError.h"
#include "CsvReader.h"
#include "MessageText.h"
#include "Options.h"
#include "Utf8.h"

#include <algorithm>
#include <vector>

namespace inlet {

namespace {

CommandLineError headerError(std::string message)
{
    return {CommandLineError::kUsage, std::move(message)};
}

// The input box of each column of the header, in its order.
std::vector<Box> headerColumns(const CsvRecord& header)
{
    if (!header.error.empty())
        throw headerError("cannot read the CSV header: " + header.error);
    const std::vector<std::string>& names = header.fields;
    for (const std::string& name : names)
        if (!isUtf8(name))
            throw headerError("the CSV header is not UTF-8 text (column " + quoteForMessage(name)
                              + "); save the file as CSV in UTF-8");
    if (names.size() > 1 && names.back().empty())
        throw headerError("the CSV header ends with an empty column (a trailing comma, as spreadsheets write"
                          " it); remove the trailing comma from every line");

    std::vector<Box> columns;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (name.empty())
            throw headerError("column " + std::to_string(i + 1) + " of the CSV header has no name; name it"
                              " (D, D0, theta, H0, H1, H2, D1, dd0, aa, hk) or remove it");
        const auto box = inputNamed(name);
        if (!box)
            throw headerError("unknown column " + quoteForMessage(name)
                              + " in the CSV header (the columns are D, D0, theta, H0, H1, H2, D1, dd0, aa, hk)");
        if (std::find(columns.begin(), columns.end(), *box) != columns.end())
            throw headerError("column " + quoteForMessage(name) + " appears twice in the CSV header");
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
                 WidthSet widthSet,
                 std::ostream& out, const NumberLocale& locale)
{
    CheckedOutput output(out);
    // Rows go out whenever the input makes us wait, so that each row of a design typed or
    // piped in appears as soon as its line has arrived.
    CsvReader reader(in, source, [&output] { output.flush(); });

    CsvRecord record;
    if (!reader.next(record))
        throw headerError("the CSV input has no header row");
    const std::vector<Box> columns = headerColumns(record);

    std::string& text = output.text();
    for (const std::string& name : record.fields) {
        appendCsvField(text, name);
        text.push_back(',');
    }
    for (const Box box : resultWriteOrder())
        text.append(boxInfo(box).symbol).push_back(',');
    text.append(checks ? "checks,error\n" : "error\n");

    BoxTexts boxes = defaults;
    while (reader.next(record)) {
        std::string error = record.error;
        std::string checkList;
        boxes.clearWritten();
        if (error.empty() && record.fields.size() != columns.size()) {
            error = "line " + std::to_string(record.line) + " has " + std::to_string(record.fields.size())
                    + " fields, the header has " + std::to_string(columns.size());
        } else if (error.empty()) {
            for (std::size_t i = 0; i < columns.size(); ++i)
                boxes.type(columns[i], record.fields[i]);
            try {
                const Calculation c = runCalculation(boxes, locale);
                if (checks)
                    checkList = checkCell(designChecks(c, widthSets(c), widthSet, boxes, locale), locale);
            } catch (const RunFailure& f) {
                error = describe(f);
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
        appendCsvField(text, error);
        text.push_back('\n');
        output.writeIfLarge();
    }
    output.flush();
}

}  // namespace inlet
