#include "Csv.h"

namespace inlet {

CsvReader::CsvReader(std::string_view text) : text_(text)
{
    if (text_.starts_with("\xEF\xBB\xBF"))
        pos_ = 3;
}

bool CsvReader::next(std::vector<std::string>& fields)
{
    fields.clear();
    // Skip empty lines.
    while (pos_ < text_.size() && (text_[pos_] == '\n' || text_[pos_] == '\r')) {
        if (text_[pos_] == '\n')
            ++currentLine_;
        ++pos_;
    }
    if (pos_ >= text_.size())
        return false;
    recordLine_ = currentLine_;

    std::string field;
    bool quoted = false;
    while (pos_ < text_.size()) {
        const char c = text_[pos_++];
        if (quoted) {
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    field.push_back('"');
                    ++pos_;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n')
                    ++currentLine_;
                field.push_back(c);
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.push_back(std::move(field));
            field.clear();
        } else if (c == '\n') {
            ++currentLine_;
            break;
        } else if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') {
            // CRLF: the LF ends the record.
        } else {
            field.push_back(c);
        }
    }
    fields.push_back(std::move(field));
    return true;
}

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

}  // namespace inlet
