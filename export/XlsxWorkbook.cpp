#include "export/XlsxWorkbook.h"

#include "document/AtomicSave.h"
#include "export/BatchWorkbook.h"
#include "boxes/BoxCaption.h"
#include "calc/DesignInputs.h"
#include "document/FlowRecord.h"
#include "boxes/GivenReadings.h"
#include "drawing/PassageGeometry.h"
#include "messages/Failure.h"
#include "export/StudySheet.h"
#include "export/WorkbookFile.h"
#include "export/WorkbookSheet.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>
#include <exception>
#include <string>

namespace inlet {

namespace {

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

// The value the calculation (or the checks, for D, Ds and Q) took from a given box, in the
// box's unit: θ and aa in degrees as typed, not the radians the formulas take.
std::optional<double> inputValue(const Calculation& c, const ExportInput& input, Box box)
{
    const std::string_view symbol = boxInfo(box).symbol;
    const DesignInputs& in = c.in;
    if (symbol == "D") return in.D;
    if (box == kPumpInletBox) return pumpInletDiameter(input.record->boxes);
    if (box == kFlowRateBox) return flowRate(input.record->boxes);
    if (symbol == "theta" || symbol == "aa") {
        try {
            return lenientRead(input.text(box)).value;
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
    if (symbol == "D0") return in.D0;
    if (symbol == "H0") return in.H0;
    if (symbol == "H1") return in.H1;
    if (symbol == "H2") return static_cast<double>(in.H2);
    if (symbol == "D1") return in.D1;
    if (symbol == "dd0") return static_cast<double>(in.dd0);
    if (symbol == "hk") return static_cast<double>(in.hk);
    return std::nullopt;
}

// A check's kind as the sheet names it (every kind named: the compiler says which is missing).
std::string checkTitle(CheckKind kind)
{
    switch (kind) {
    case CheckKind::NegativeWidth: return "宽度小于零";
    case CheckKind::WallMeetsBellMouth: return "外壁与喇叭口相交";
    case CheckKind::QuadraticRuleWallAboveHk: return "二次式外壁高于 hk";
    case CheckKind::LinearRuleWallBelowHk: return "线性式外壁低于 hk";
    case CheckKind::WidthJump: return "宽度跳变";
    case CheckKind::HkBelowBp: return "hk 不高于 bp";
    case CheckKind::GuideConeWiderThanConeInlet: return "导水锥直径";
    case CheckKind::ConeInletNotNarrowerThanRim: return "锥管进口直径";
    case CheckKind::ProfilesCross: return "型线相交";
    case CheckKind::ProfileClearance: return "型线间距";
    case CheckKind::VelocityAtConeInlet: return "锥管进口流速";
    case CheckKind::VelocityUnderRim: return "喇叭口下流速";
    case CheckKind::VelocityAtPassageInlet: return "流道进口流速";
    case CheckKind::FloorClearance: return "喇叭口悬空高度";
    case CheckKind::TextReadOtherwise: return "输入文本读法";
    case CheckKind::NotDrawable: return "无法绘出";
    case CheckKind::WidthSetsDiffer: return "两组宽度不同";
    case CheckKind::AreaTrueWidthFails: return "面积一致宽度无法求得";
    case CheckKind::ConeTopAgainstPumpInlet: return "锥管顶部直径与 Ds";
    case CheckKind::ProportionToImpeller: return "与叶轮直径之比";
    case CheckKind::SectionVelocity: return "断面平均流速";
    case CheckKind::FluidVolume: return "水体体积";
    case CheckKind::InletArea: return "进口面积";
    case CheckKind::OutletArea: return "出口面积";
    case CheckKind::WettedArea: return "过水边壁面积";
    case CheckKind::PassageWidthDrawn: return "面积一致宽度的流道宽度";
    case CheckKind::HkAbovePumpInlet: return "hk 高于水泵进口断面";
    case CheckKind::PassageLength: return "流道长度";
    case CheckKind::BoxNotUsable: return "输入不可用";
    }
    return std::string(checkName(kind));
}

// A sheet of the workbook, written a row at a time; a text longer than a cell holds goes on
// right of the table.
using Sheet = WorkbookSheet;

// "水力评价": the flow kept with the design, its settings and each section's figures as numbers
// where it was computed for the design's inputs; else one line saying whose it is.
void fillFlow(lxw_workbook* book, lxw_format* bold, const ExportInput& input)
{
    if (input.flow.isEmpty())
        return;
    Sheet flow(book, "水力评价", bold);
    if (const QString notShown = flowNotShownText(input.flow, input.givenTexts(), input.widthSet()); !notShown.isEmpty()) {
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

// 放样坐标: the setting-out tables one under the other, each with its title, its curve and its
// columns; every figure the number the other outputs print (SetOut rounds it).
void fillSetOut(lxw_workbook* book, lxw_format* bold, const SetOut& tables)
{
    Sheet sheet(book, "放样坐标", bold);
    sheet.widths({12, 12, 12, 12, 12});
    sheet.text(0, tables.heading());
    sheet.next();
    for (const SetOutTable& table : tables.tables) {
        sheet.next();
        sheet.text(0, table.title);
        sheet.next();
        if (!table.note.empty()) {
            sheet.text(0, table.note);
            sheet.next();
        }
        std::vector<std::string> titles;
        for (const SetOutColumn& column : table.columns)
            titles.push_back(column.title);
        sheet.header(titles);
        if (table.rows.empty()) {
            sheet.text(0, table.empty);
            sheet.next();
        }
        for (const std::vector<double>& row : table.rows) {
            for (std::size_t c = 0; c < row.size(); ++c)
                sheet.number(static_cast<lxw_col_t>(c), row[c]);
            sheet.next();
        }
    }
}

void fill(lxw_workbook* book, const ExportInput& input)
{
    lxw_format* bold = workbook_add_format(book);
    if (!bold)
        throw Failure{.kind = Failure::Kind::WorkbookNotMade, .detail = "workbook_add_format"};
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
        if (input.calculation()) {
            if (const auto value = inputValue(*input.calculation(), input, box))
                given.number(3, *value);
        }
        given.next();
    }

    Sheet results(book, "计算结果", bold);
    results.widths({10, 30, 20, 18});
    results.header({"量", "名称", "数值", "框中文本"});
    for (const Box box : input.written()) {
        results.text(0, std::string(boxInfo(box).symbol));
        results.text(1, std::string(boxCaption(box)));
        if (input.calculation()) {
            if (const auto value = resultValue(*input.calculation(), box))
                results.number(2, *value);
        }
        results.text(3, input.text(box));
        results.next();
    }
    if (const std::optional<double> second = input.secondPassageWidth()) {
        // The B the drawings, the solid and the flow take, beside the one the window shows.
        results.text(0, "B");
        results.text(1, "流道宽度（按面积一致宽度，图形、实体及流场采用）");
        results.number(2, *second);
        results.next();
    }
    if (!input.calculation()) {
        results.next();
        results.text(0, "计算未完成：" + (input.failure() ? render(*input.failure(), Language::Chinese) : std::string()));
        results.next();
    }

    if (input.calculation()) {
        // Both width sets: the run's widths and the area-true ones (none where no section of
        // the assumed shape exists or the width cannot be computed).
        Sheet table(book, "蜗壳断面", bold);
        // The section drawn is the one of the set the drawings use; its area as drawn (the
        // bell's true lip), and the mean velocities through F and through it.
        table.widths({8, 18, 10, 14, 12, 18, 20, 12, 20, 18});
        table.header({"φ(°)", "断面面积F(mm²)", "宽度公式", "蜗壳宽度a(mm)", "面积一致宽度公式", "面积一致宽度(mm)",
                      "所绘断面面积(mm²)", "与F相差(%)", "流速Q·(φ/360)/F(m/s)", "所绘断面流速(m/s)"});
        const auto rule = [](WidthRule r) { return r == WidthRule::Quadratic ? "二次式" : "线性式"; };
        const std::optional<WidthSets>& sets = input.widths();
        const Calculation& c = *input.calculation();
        const std::array<Station, 12> computed = stations(c);
        const std::optional<double> Q = flowRate(input.record->boxes);
        std::array<std::optional<double>, 12> drawnAreas;
        if (sets)
            drawnAreas = drawnSectionAreas(c, *sets, input.widthSet());
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
            const std::optional<double> area = drawnAreas[i];
            if (area) {
                table.number(6, *area);
                if (s.F > 0)
                    table.number(7, drawnAreaPercent(*area, s.F));
            }
            if (Q && s.F > 0) {
                const double flow = *Q * s.phi / 360;
                table.number(8, flow / (s.F / 1e6));
                if (area && *area > 0)
                    table.number(9, flow / (*area / 1e6));
            }
            table.next();
        }

        Sheet checks(book, "设计校核", bold);
        checks.widths({30, 10, 14, 8, 8, 70});
        checks.header({"校核", "对象", "数值", "单位", "警告", "说明"});
        for (const DesignCheck& check : input.checks()) {
            checks.text(0, checkTitle(check.kind));
            checks.text(1, check.subject);
            checks.number(2, check.figure);
            checks.text(3, check.unit);
            checks.text(4, check.warning ? "是" : "否");
            checks.text(5, check.chinese);
            checks.next();
        }
    }

    if (input.setOut)
        fillSetOut(book, bold, *input.setOut);

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
    fillStudy(book, bold, input);
}

// Makes the workbook `fill` writes and saves it to `path` whole.
template <typename Fill>
void saveWorkbook(const QString& path, Fill fill)
{
    WorkbookFile file(path, false);
    try {
        fill(file.book());
    } catch (const Failure& f) {
        throw file.named(f);
    }
    file.save();
}

}  // namespace

void writeXlsx(const ExportInput& input, const QString& path)
{
    saveWorkbook(path, [&input](lxw_workbook* book) { fill(book, input); });
}

void writeBatchXlsx(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& numbers,
                    const NumberLocale& locale, const QString& path)
{
    BatchWorkbook book(path, locale);
    if (rows.empty())
        throw Failure{.kind = Failure::Kind::WorkbookNotMade, .file = shownPath(path), .detail = "no header"};
    book.header(rows.front(), numbers);
    for (std::size_t r = 1; r < rows.size(); ++r)
        book.row(rows[r]);
    book.save();
}

}  // namespace inlet
