#pragma once

// One sheet of a workbook, written a row at a time, every call to libxlsxwriter checked.
//
// A text longer than a cell holds (kCellCharacters, as Excel counts) keeps its first piece in
// its own cell; the rest follows in the same row, right of the table: after one empty column,
// a cell naming the cell continued ("C5"), then the rest in pieces a cell holds. A second long
// text of the row follows after another empty cell. Joining the cell and its pieces gives
// back the text exactly; the first such group on a sheet carries a note saying so.

#include <xlsxwriter.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace inlet {

class WorkbookSheet {
public:
    // Adds the sheet `name` to `book`; header cells are written in `bold`. Every member
    // throws a Failure (WorkbookNotMade, WorkbookCellNotWritten) naming the sheet and cell,
    // without the file: the writer of the file adds it.
    WorkbookSheet(lxw_workbook* book, const char* name, lxw_format* bold);

    // The titles of the table's columns, as the current row (then the next).
    void header(std::initializer_list<const char*> titles);
    void header(const std::vector<std::string>& titles);
    void text(lxw_col_t col, std::string_view value);
    void number(lxw_col_t col, double value);
    // The next row; in constant-memory mode the row before is then written out.
    void next();
    void widths(std::initializer_list<double> widths);
    // Keeps the header row in view while scrolling.
    void freezeHeader();

    // The row being written, from 0.
    lxw_row_t row() const { return row_; }

private:
    void write(lxw_col_t col, std::string_view text, lxw_format* format);
    void check(lxw_error error, lxw_col_t col) const;

    lxw_worksheet* sheet_;
    std::string name_;
    lxw_format* bold_;
    lxw_row_t row_ = 0;
    lxw_col_t tableColumns_ = 0;
    lxw_col_t continuation_ = 0;  // the column of the row's next continued text; 0: none yet
    bool noted_ = false;
    std::string cell_;  // the text of the cell being written, ended by a nul
};

}  // namespace inlet
