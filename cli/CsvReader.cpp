#include "cli/CsvReader.h"

#include "cli/CommandLineError.h"

#include <algorithm>
#include <utility>

namespace inlet {

namespace {

// No design needs more; a longer line is most likely not CSV at all.
constexpr std::size_t kMaxLineLength = 16 * 1024 * 1024;  // the messages say 16 MiB

// Splits `text` at its commas into `fields`, unquoting quoted fields. Returns why it cannot,
// or nothing.
std::optional<Failure::Kind> split(std::string_view text, std::vector<std::string>& fields)
{
    std::size_t count = 0;  // reuses the strings of the previous record
    std::size_t pos = 0;
    for (;;) {
        if (count == fields.size())
            fields.emplace_back();
        std::string& field = fields[count++];
        field.clear();
        if (pos < text.size() && text[pos] == '"') {
            ++pos;
            for (;;) {
                const std::size_t quote = text.find('"', pos);
                if (quote == std::string_view::npos)
                    return Failure::Kind::CsvQuoteNotClosed;
                field.append(text.substr(pos, quote - pos));
                pos = quote + 1;
                if (pos >= text.size() || text[pos] != '"')
                    break;
                field.push_back('"');  // a doubled quote
                ++pos;
            }
            if (pos < text.size() && text[pos] != ',')
                return Failure::Kind::CsvTextAfterQuote;
        } else {
            const std::size_t comma = std::min(text.find(',', pos), text.size());
            const std::string_view cell = text.substr(pos, comma - pos);
            if (cell.find('"') != std::string_view::npos)
                return Failure::Kind::CsvQuoteInField;
            field.assign(cell);
            pos = comma;
        }
        if (pos >= text.size())
            break;
        ++pos;  // the comma
    }
    fields.resize(count);
    return std::nullopt;
}

}  // namespace

CsvReader::CsvReader(std::istream& in, std::string source, std::function<void()> beforeWaiting)
    : lines_(in, std::move(source), kMaxLineLength, std::move(beforeWaiting))
{
}

bool CsvReader::next(CsvRecord& record)
{
    std::string_view text;
    LineReader::Result result;
    do {
        result = lines_.next(text);
        if (result == LineReader::Result::End)
            return false;
        if (lines_.lineNumber() == 1 && text.starts_with("\xEF\xBB\xBF"))
            text.remove_prefix(3);
        if (text.ends_with('\r'))
            text.remove_suffix(1);
    } while (result == LineReader::Result::Line && text.empty());

    record.line = lines_.lineNumber();
    record.error.reset();
    std::optional<Failure::Kind> fault;
    if (result == LineReader::Result::TooLong) {
        fault = Failure::Kind::CsvLineTooLong;
    } else if (text.find('\0') != std::string_view::npos) {
        Failure f{.kind = Failure::Kind::CsvNotText, .file = lines_.source()};
        f.line = record.line;
        throw CommandLineError{CommandLineError::kUsage, f};
    } else if (text.find('\r') != std::string_view::npos) {
        fault = Failure::Kind::CsvCarriageReturn;
    } else {
        fault = split(text, record.fields);
    }
    if (fault) {
        record.error = Failure{.kind = *fault};
        record.error->line = record.line;
        record.fields.clear();
    }
    return true;
}

}  // namespace inlet
