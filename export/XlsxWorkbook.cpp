#include "XlsxWorkbook.h"

#include "AtomicSave.h"
#include "Failure.h"
#include "BoxCaption.h"
#include "FlowRecord.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <string>

namespace inlet {

namespace {

[[noreturn]] void cannotMake(const QString& path)
{
    throw Failure{.kind = Failure::Kind::CannotMake, .file = shownPath(path), .item = "XLSX"};
}

// The value a result box's text was made from, as the run held it.
std::optional<double> resultValue(const Calculation& c, Box box)
{
    const std::string_view symbol = boxInfo(box).symbol;
    const ProfileResults& p = c.profile;
    if (symbol == "a1") return p.a1;
    if (symbol == "b1") return p.b1;
    if (symbol == "x1") return p.x1;
    if (symbol == "y1") return p.y1;
    if (symbol == "x2") return p.x2;
    if (symbol == "y2") return static_cast<double>(p.y2);
    if (symbol == "a2") return p.a2;
    if (symbol == "b2") return p.b2;
    if (symbol == "ap") return c.volute.tp.ap;
    if (symbol == "bp") return c.volute.tp.bp;
    if (symbol == "H") return p.H;
    if (symbol == "B") return c.B;
    for (const Station& s : stations(c)) {
        if (inlet::symbol(s.width) == symbol)
            return s.a;
    }
    return std::nullopt;
}

// The value the calculation took from a given box, in its unit.
std::optional<double> inputValue(const Calculation& c, Box box)
{
    const std::string_view symbol = boxInfo(box).symbol;
    const DesignInputs& in = c.in;
    if (symbol == "D0") return in.D0;
    if (symbol == "theta") return static_cast<double>(in.theta);
    if (symbol == "H0") return in.H0;
    if (symbol == "H1") return in.H1;
    if (symbol == "H2") return static_cast<double>(in.H2);
    if (symbol == "D1") return in.D1;
    if (symbol == "dd0") return static_cast<double>(in.dd0);
    if (symbol == "aa") return in.aa;
    if (symbol == "hk") return static_cast<double>(in.hk);
    return std::nullopt;
}

class Sheet {
public:
    Sheet(lxw_workbook* book, const char* name, lxw_format* bold) : sheet_(workbook_add_worksheet(book, name)), bold_(bold) {}

    void header(std::initializer_list<const char*> titles)
    {
        lxw_col_t col = 0;
        for (const char* title : titles)
            worksheet_write_string(sheet_, row_, col++, title, bold_);
        ++row_;
    }
    void text(lxw_col_t col, const std::string& value) { worksheet_write_string(sheet_, row_, col, value.c_str(), nullptr); }
    void number(lxw_col_t col, double value) { worksheet_write_number(sheet_, row_, col, value, nullptr); }
    void next() { ++row_; }
    void widths(std::initializer_list<double> widths)
    {
        lxw_col_t col = 0;
        for (const double w : widths) {
            worksheet_set_column(sheet_, col, col, w, nullptr);
            ++col;
        }
    }

private:
    lxw_worksheet* sheet_;
    lxw_format* bold_;
    lxw_row_t row_ = 0;
};

// "水力评价": the flow kept with the design, its settings and each section's figures as numbers
// where it was computed for the design's inputs; else one line saying whose it is.
void fillFlow(lxw_workbook* book, lxw_format* bold, const ExportInput& input)
{
    if (input.flow.isEmpty())
        return;
    Sheet flow(book, "水力评价", bold);
    if (const QString notShown = flowNotShownText(input.flow, input.givenTexts()); !notShown.isEmpty()) {
        flow.widths({100});
        flow.text(0, notShown.toStdString());
        return;
    }
    const QJsonObject settings = input.flow.value(QStringLiteral("settings")).toObject();
    const QJsonObject result = input.flow.value(QStringLiteral("result")).toObject();
    const auto number = [&](const char* key) { return result.value(QLatin1String(key)).toDouble(); };
    flow.widths({24, 12, 12, 14, 14});
    flow.header({"项目", "数值"});
    const std::pair<const char*, double> figures[] = {
        {"网格单元数", number("cells")},
        {"并行进程数", number("processes")},
        {"迭代次数", number("iterations")},
        {"迭代上限", settings.value(QStringLiteral("iterationLimit")).toDouble()},
        {"给定流量 (m³/s)", number("flowGiven")},
        {"进口断面流量 (m³/s)", number("flowAtInlet")},
        {"壁面 y+ 最小", result.value(QStringLiteral("yPlus")).toObject().value(QStringLiteral("min")).toDouble()},
        {"壁面 y+ 最大", result.value(QStringLiteral("yPlus")).toObject().value(QStringLiteral("max")).toDouble()},
        {"壁面 y+ 平均", result.value(QStringLiteral("yPlus")).toObject().value(QStringLiteral("mean")).toDouble()},
    };
    flow.text(0, "网格");
    flow.text(1, flowLevelName(settings.value(QStringLiteral("mesh")).toString()).toStdString());
    flow.next();
    for (const auto& [name, value] : figures) {
        flow.text(0, name);
        flow.number(1, value);
        flow.next();
    }
    flow.next();
    flow.header({"断面", "Vu (%)", "θ̄ (°)", "水头损失 (m)", "流量 (m³/s)"});
    for (const QJsonValue& value : result.value(QStringLiteral("sections")).toArray()) {
        const QJsonObject s = value.toObject();
        flow.text(0, flowSectionName(s.value(QStringLiteral("name")).toString()).toStdString());
        flow.number(1, s.value(QStringLiteral("Vu")).toDouble());
        flow.number(2, s.value(QStringLiteral("theta")).toDouble());
        flow.number(3, s.value(QStringLiteral("headLoss")).toDouble());
        flow.number(4, s.value(QStringLiteral("flow")).toDouble());
        flow.next();
    }
}

void fill(lxw_workbook* book, const ExportInput& input)
{
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);

    Sheet given(book, "给定参数", bold);
    given.widths({10, 26, 16, 18});
    given.header({"量", "名称", "输入文本", "采用值"});
    for (const Box box : givenParameterBoxes()) {
        if (input.wasWritten(box))
            continue;  // H and B: results
        given.text(0, std::string(boxInfo(box).symbol));
        given.text(1, std::string(boxCaption(box)));
        given.text(2, input.text(box));
        if (input.calculation) {
            if (const auto value = inputValue(*input.calculation, box))
                given.number(3, *value);
        }
        given.next();
    }

    Sheet results(book, "计算结果", bold);
    results.widths({10, 30, 20, 18});
    results.header({"量", "名称", "数值", "框中文本"});
    for (const Box box : input.written) {
        results.text(0, std::string(boxInfo(box).symbol));
        results.text(1, std::string(boxCaption(box)));
        if (input.calculation) {
            if (const auto value = resultValue(*input.calculation, box))
                results.number(2, *value);
        }
        results.text(3, input.text(box));
        results.next();
    }
    if (!input.calculation) {
        results.next();
        results.text(0, "计算未完成：" + (input.failure ? render(*input.failure, Language::Chinese) : std::string()));
        results.next();
    }

    if (input.calculation) {
        // Both width sets: the run's widths and the area-true ones (none where no section of
        // the assumed shape exists or the width cannot be computed).
        Sheet table(book, "蜗壳断面", bold);
        table.widths({8, 18, 10, 14, 12, 18});
        table.header({"φ(°)", "断面面积F(mm²)", "宽度公式", "蜗壳宽度a(mm)", "面积一致宽度公式", "面积一致宽度(mm)"});
        const auto rule = [](WidthRule r) { return r == WidthRule::Quadratic ? "二次式" : "线性式"; };
        const std::optional<WidthSets>& sets = input.widths;
        const std::array<Station, 12> computed = stations(*input.calculation);
        for (std::size_t i = 0; i < computed.size(); ++i) {
            const Station& s = computed[i];
            table.number(0, s.phi);
            table.number(1, s.F);
            table.text(2, rule(s.rule));
            table.number(3, s.a);
            if (sets && sets->areaTrue[i]) {
                table.text(4, rule(sets->areaTrue[i]->rule));
                table.number(5, sets->areaTrue[i]->a);
            } else {
                table.text(4, "—");
            }
            table.next();
        }

        Sheet checks(book, "设计校核", bold);
        checks.widths({30, 10, 14, 8, 8, 70});
        checks.header({"校核", "对象", "数值", "单位", "警告", "说明"});
        for (const DesignCheck& check : input.checks) {
            checks.text(0, std::string(checkName(check.kind)));
            checks.text(1, check.subject);
            checks.number(2, check.figure);
            checks.text(3, check.unit);
            checks.text(4, check.warning ? "是" : "否");
            checks.text(5, check.chinese);
            checks.next();
        }
    }

    Sheet about(book, "设计信息", bold);
    about.widths({12, 40});
    std::vector<std::pair<const char*, QString>> rows;
    for (const DesignInfoField& f : designInfoFields())
        rows.emplace_back(f.caption, input.info.*f.field);
    rows.emplace_back("设计文件", input.designFile);
    rows.emplace_back("计算时间", input.runTime);
    rows.emplace_back("计算程序", QString::fromStdString(input.program + " " + input.version));
    for (const auto& [name, value] : rows) {
        about.text(0, name);
        about.text(1, value.toStdString());
        about.next();
    }
    fillFlow(book, bold, input);
}

// A cell's text as a number, where it is one whole in the locale's notation: an optional
// sign, digits, at most one decimal separator, digits; nothing else.
std::optional<double> plainNumber(const std::string& text, const NumberLocale& locale)
{
    std::string c = text;
    if (const std::size_t at = c.find(locale.decimalSeparator); at != std::string::npos && !locale.decimalSeparator.empty())
        c.replace(at, locale.decimalSeparator.size(), ".");
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

// Makes the workbook `fill` writes in a temporary folder and saves it to `path` whole.
template <typename Fill>
void saveWorkbook(const QString& path, Fill fill)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        cannotMake(path);
    const QString temporary = folder.filePath(QStringLiteral("workbook.xlsx"));
    lxw_workbook* book = workbook_new(QFile::encodeName(temporary).constData());
    if (!book)
        cannotMake(path);
    fill(book);
    if (workbook_close(book) != LXW_NO_ERROR)
        cannotMake(path);
    QFile file(temporary);
    if (!file.open(QIODevice::ReadOnly))
        cannotMake(path);
    saveAtomically(path, file.readAll());
}

}  // namespace

void writeXlsx(const ExportInput& input, const QString& path)
{
    saveWorkbook(path, [&input](lxw_workbook* book) { fill(book, input); });
}

void writeBatchXlsx(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& numbers,
                    const NumberLocale& locale, const QString& path)
{
    saveWorkbook(path, [&](lxw_workbook* book) {
        lxw_format* bold = workbook_add_format(book);
        format_set_bold(bold);
        lxw_worksheet* sheet = workbook_add_worksheet(book, "批量计算");
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const auto row = static_cast<lxw_row_t>(r);
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                const auto col = static_cast<lxw_col_t>(c);
                const std::string& cell = rows[r][c];
                if (cell.empty())
                    continue;
                const std::optional<double> value =
                    r > 0 && c < numbers.size() && numbers[c] ? plainNumber(cell, locale) : std::nullopt;
                if (value)
                    worksheet_write_number(sheet, row, col, *value, nullptr);
                else
                    worksheet_write_string(sheet, row, col, cell.c_str(), r == 0 ? bold : nullptr);
            }
        }
        worksheet_freeze_panes(sheet, 1, 0);
    });
}

}  // namespace inlet
