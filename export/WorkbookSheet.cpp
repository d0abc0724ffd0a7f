#include "export/WorkbookSheet.h"

#include "export/CellPieces.h"
#include "messages/Failure.h"

#include <algorithm>
#include <cmath>

namespace inlet {

namespace {

constexpr const char* kContinuationNote =
    "长文本的续：左侧表格中所指单元格的文本长于一个单元格所能容纳的 32767 个字符，"
    "其余部分依次写在所指单元格名称右侧的单元格中（每格最多 32767 个字符）；"
    "同一行有几处时，以一个空单元格隔开。将该单元格与其后各格依次连接，即得原文。";

std::string cellName(lxw_row_t row, lxw_col_t col)
{
    char name[LXW_MAX_CELL_NAME_LENGTH];
    lxw_rowcol_to_cell(name, row, col);
    return name;
}

}  // namespace

WorkbookSheet::WorkbookSheet(lxw_workbook* book, const char* name, lxw_format* bold)
    : sheet_(workbook_add_worksheet(book, name)), name_(name), bold_(bold)
{
    if (!sheet_)
        throw Failure{.kind = Failure::Kind::WorkbookNotMade, .item = name_, .detail = "workbook_add_worksheet"};
}

void WorkbookSheet::header(std::initializer_list<const char*> titles)
{
    header(std::vector<std::string>(titles.begin(), titles.end()));
}

void WorkbookSheet::header(const std::vector<std::string>& titles)
{
    tableColumns_ = std::max(tableColumns_, static_cast<lxw_col_t>(titles.size()));
    for (std::size_t col = 0; col < titles.size(); ++col)
        write(static_cast<lxw_col_t>(col), titles[col], bold_);
    next();
}

void WorkbookSheet::text(lxw_col_t col, std::string_view value)
{
    const std::vector<std::string_view> pieces = cellPieces(value);
    if (pieces.size() <= 1) {
        write(col, value, nullptr);
        return;
    }
    write(col, pieces.front(), nullptr);
    lxw_col_t at = std::max<lxw_col_t>(continuation_, std::max<lxw_col_t>(tableColumns_, col + 1) + 1);
    write(at, cellName(row_, col), nullptr);
    if (!noted_) {
        check(worksheet_write_comment(sheet_, row_, at, kContinuationNote), at);
        noted_ = true;
    }
    for (std::size_t i = 1; i < pieces.size(); ++i)
        write(++at, pieces[i], nullptr);
    continuation_ = at + 2;
}

void WorkbookSheet::number(lxw_col_t col, double value)
{
    // A file holding "inf" or "nan" as a number is one Excel will not open: such a value is
    // written as its text.
    if (!std::isfinite(value)) {
        write(col, std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf", nullptr);
        return;
    }
    check(worksheet_write_number(sheet_, row_, col, value, nullptr), col);
}

void WorkbookSheet::next()
{
    ++row_;
    continuation_ = 0;
}

void WorkbookSheet::widths(std::initializer_list<double> widths)
{
    tableColumns_ = std::max(tableColumns_, static_cast<lxw_col_t>(widths.size()));
    lxw_col_t col = 0;
    for (const double w : widths) {
        check(worksheet_set_column(sheet_, col, col, w, nullptr), col);
        ++col;
    }
}

void WorkbookSheet::freezeHeader() { worksheet_freeze_panes(sheet_, 1, 0); }

void WorkbookSheet::write(lxw_col_t col, std::string_view text, lxw_format* format)
{
    cell_.assign(text);
    check(worksheet_write_string(sheet_, row_, col, cell_.c_str(), format), col);
}

void WorkbookSheet::check(lxw_error error, lxw_col_t col) const
{
    if (error != LXW_NO_ERROR)
        throw Failure{.kind = Failure::Kind::WorkbookCellNotWritten, .item = name_, .other = cellName(row_, col),
                      .detail = lxw_strerror(error)};
}

}  // namespace inlet
