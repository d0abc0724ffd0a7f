#pragma once

// A batch of designs as a workbook, written row by row as the batch computes them, in
// libxlsxwriter's constant-memory mode: the memory it takes does not grow with the batch.
//
// The rows go to the sheet "批量计算", the header first. A sheet holds kSheetRows rows, Excel's
// most; a longer batch goes on in "批量计算 2", "批量计算 3", … each with the header again. A
// cell of a column marked as numbers that is a plain number in the locale's notation ("0400",
// "-0008", "1149,95001220703") is written as that number; every other cell as its text (the
// typed texts always), a long one continued right of the table (see WorkbookSheet).

#include "calc/NumberLocale.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace inlet {

class WorkbookFile;
class WorkbookSheet;

class BatchWorkbook {
public:
    // The rows a sheet holds, the header's among them: Excel's 1,048,576.
    static constexpr std::size_t kSheetRows = 1'048'576;

    // Every member throws a Failure naming `path`; after one, the workbook is dropped and the
    // file named is as it was.
    BatchWorkbook(const QString& path, const NumberLocale& locale);
    ~BatchWorkbook();

    // The header row: the columns' titles, and which columns hold numbers.
    void header(const std::vector<std::string>& titles, const std::vector<bool>& numbers);
    // One design's row, after the header.
    void row(const std::vector<std::string>& cells);
    // Completes the workbook and saves it as the file, whole.
    void save();

private:
    void startSheet();

    NumberLocale locale_;
    std::unique_ptr<WorkbookFile> file_;
    std::unique_ptr<WorkbookSheet> sheet_;
    std::vector<std::string> titles_;
    std::vector<bool> numbers_;
    int sheets_ = 0;
};

}  // namespace inlet
