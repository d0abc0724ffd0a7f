#include "export/StudySheet.h"

#include "document/StudyRecord.h"
#include "export/WorkbookSheet.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace inlet {

namespace {

// The columns whose cells are numbers (in the locale's notation).
bool numeric(const QString& column)
{
    return column != QLatin1String("variant") && column != QLatin1String("sections") && column != QLatin1String("error")
           && column != QLatin1String("widths");
}

std::optional<double> numberIn(const QString& cell, const NumberLocale& locale)
{
    std::string text = cell.toStdString();
    if (const std::size_t at = text.find(locale.decimalSeparator); !locale.decimalSeparator.empty() && at != std::string::npos)
        text.replace(at, locale.decimalSeparator.size(), ".");
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

void writeRow(WorkbookSheet& sheet, const StudyRecord& record, const StudyRecord::Variant& v, bool front,
              const NumberLocale& locale)
{
    lxw_col_t col = 0;
    for (; col < lxw_col_t(record.columns.size()); ++col) {
        const QString cell = v.cells.value(int(col));
        if (cell.isEmpty())
            continue;
        const std::optional<double> number = numeric(record.columns[int(col)]) ? numberIn(cell, locale) : std::nullopt;
        if (number)
            sheet.number(col, *number);
        else
            sheet.text(col, cell.toStdString());
    }
    sheet.text(col, v.holds ? "yes" : "no");
    if (front)
        sheet.text(col + 1, "front");
    sheet.next();
}

}  // namespace

void fillStudy(lxw_workbook* book, lxw_format* bold, const ExportInput& input)
{
    const std::optional<StudyRecord> record = studyRecordOf(input.study);
    if (!record)
        return;
    WorkbookSheet sheet(book, "方案比选", bold);
    if (!studyIsOf(*record, input.givenTexts(), input.widthSet())) {
        sheet.widths({100});
        sheet.text(0, "本设计的输入已不同于方案比选选定的方案，方案比选的结果不适用于本设计。");
        return;
    }
    std::vector<std::string> titles;
    for (const QString& column : record->columns)
        titles.push_back(column.toStdString());
    titles.emplace_back("holds");
    titles.emplace_back("front");
    sheet.header(titles);
    bool chosenOnFront = false;
    const std::vector<std::size_t> front = studyFront(*record, &chosenOnFront);
    for (std::size_t i = 0; i < record->rows.size(); ++i)
        writeRow(sheet, *record, record->rows[i], std::find(front.begin(), front.end(), i) != front.end(), input.locale());
    writeRow(sheet, *record, record->chosen, chosenOnFront, input.locale());
    sheet.next();
    const std::pair<const char*, QString> about[] = {
        {"变化的输入", record->varied.join(QStringLiteral("、"))},
        {"方案", QStringLiteral("%1，共 %2 个").arg(record->plan).arg(record->variants)},
        {"目标", record->objective},
        {"约束", record->require.join(QStringLiteral("、"))},
        {"选定方案", studyChoiceText(*record)},
    };
    for (const auto& [name, value] : about) {
        sheet.text(0, name);
        sheet.text(1, value.toStdString());
        sheet.next();
    }
}

}  // namespace inlet
