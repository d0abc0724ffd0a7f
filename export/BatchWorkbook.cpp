#include "export/BatchWorkbook.h"

#include "messages/Failure.h"
#include "export/WorkbookFile.h"
#include "export/WorkbookSheet.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace inlet {

namespace {

// A cell's text as a number, where it is one whole in the locale's notation: an optional
// sign, digits, at most one decimal separator, digits; nothing else.
std::optional<double> plainNumber(const std::string& text, const NumberLocale& locale)
{
    std::string c = text;
    if (const std::size_t at = text.find(locale.decimalSeparator); at != std::string::npos && !locale.decimalSeparator.empty())
        c = text.substr(0, at).append(".").append(text, at + locale.decimalSeparator.size());
    const std::size_t start = !c.empty() && c[0] == '-' ? 1 : 0;
    const std::size_t point = c.find('.', start);
    const auto digits = [&c](std::size_t from, std::size_t to) {
        return to > from && std::all_of(c.begin() + long(from), c.begin() + long(to), [](char d) { return d >= '0' && d <= '9'; });
    };
    if (point == std::string::npos ? !digits(start, c.size()) : !(digits(start, point) && digits(point + 1, c.size())))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(c.data(), c.data() + c.size(), value);
    if (error != std::errc() || end != c.data() + c.size())
        return std::nullopt;
    return value;
}

}  // namespace

BatchWorkbook::BatchWorkbook(const QString& path, const NumberLocale& locale)
    : locale_(locale), file_(std::make_unique<WorkbookFile>(path, true))
{
}

BatchWorkbook::~BatchWorkbook() = default;

void BatchWorkbook::header(const std::vector<std::string>& titles, const std::vector<bool>& numbers)
{
    titles_ = titles;
    numbers_ = numbers;
    try {
        startSheet();
    } catch (const Failure& f) {
        throw file_->named(f);
    }
}

void BatchWorkbook::row(const std::vector<std::string>& cells)
{
    try {
        if (sheet_->row() == kSheetRows)
            startSheet();
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const auto col = static_cast<lxw_col_t>(c);
            const std::string& cell = cells[c];
            if (cell.empty())
                continue;
            const std::optional<double> value = c < numbers_.size() && numbers_[c] ? plainNumber(cell, locale_) : std::nullopt;
            if (value)
                sheet_->number(col, *value);
            else
                sheet_->text(col, cell);
        }
        sheet_->next();
    } catch (const Failure& f) {
        throw file_->named(f);
    }
}

void BatchWorkbook::save()
{
    sheet_.reset();
    file_->save();
}

void BatchWorkbook::startSheet()
{
    ++sheets_;
    std::string name = "批量计算";
    if (sheets_ > 1)
        name.append(" ").append(std::to_string(sheets_));
    sheet_ = std::make_unique<WorkbookSheet>(file_->book(), name.c_str(), file_->bold());
    sheet_->header(titles_);
    sheet_->freezeHeader();
}

}  // namespace inlet
