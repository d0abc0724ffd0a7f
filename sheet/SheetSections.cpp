#include "sheet/SheetSections.h"

#include "boxes/BoxCaption.h"
#include "calc/DesignInputs.h"
#include "drawing/DrawingScale.h"
#include "drawing/Figures.h"
#include "boxes/GivenReadings.h"
#include "calc/ResultText.h"
#include "drawing/PassageDrafting.h"
#include "boxes/Quantity.h"
#include "sheet/VectorPictures.h"
#include "InletVersion.h"
#include "sheet/SheetStyle.h"
#include "sheet/ValueUsed.h"
#include "checks/VoluteChart.h"

#include <QRegularExpression>
#include <QTextTable>

#include <algorithm>
#include <array>
#include <optional>

namespace inlet {

namespace {

QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Why the run stopped, as the window says it.
QString failureText(const SheetInput& input)
{
    return input.failure() ? q(render(*input.failure(), Language::Chinese)) : QString();
}

QString symbolOf(Box box)
{
    const std::string_view symbol = boxInfo(box).symbol;
    return symbol == "theta" ? QStringLiteral("θ") : q(symbol);
}

// Paper for one drawing: the body's width, and half its height less the captions.
constexpr double kDrawingWidthMm = 160;
constexpr double kDrawingHeightMm = 75;
constexpr double kScaleBarMm = 80;
// Paper around a view: its dimension figures stand a little outside what its extent counts.
constexpr double kViewMarginMm = 5;

// The result boxes grouped as the window's frames group them; φ in ascending order.
struct ResultGroup {
    const char* title;
    std::vector<Box> boxes;
};

const std::array<ResultGroup, 4>& resultGroups()
{
    static const std::array<ResultGroup, 4> kGroups{{
        {"喇叭管型线计算", {Box::Text13, Box::Text14, Box::Text15, Box::Text16}},
        {"导水锥型线计算", {Box::Text20, Box::Text19, Box::Text18, Box::Text17}},
        {"蜗壳吸水室计算",
         {Box::Text23, Box::Text24, Box::Text38, Box::Text33, Box::Text32, Box::Text31, Box::Text30,
          Box::Text29, Box::Text28, Box::Text27, Box::Text26, Box::Text37, Box::Text36, Box::Text25}},
        {"流道尺寸", {Box::Text5, Box::Text6}},
    }};
    return kGroups;
}

QString ruleName(WidthRule rule) { return rule == WidthRule::Quadratic ? QStringLiteral("二次式") : QStringLiteral("线性式"); }

// The rule that gave a width and the shape of the section it gives, as one cell: "二次式·斜顶",
// and where the shape is not the one the rule assumes, that it is not.
QString ruleAndShape(const Calculation& c, const WidthSets& widths, const std::optional<Station>& s)
{
    if (!s)
        return QStringLiteral("—（无法求得）");
    const QString rule = ruleName(s->rule);
    if (!widths.sectionsExist())
        return rule + QStringLiteral("·无断面");
    const bool quadratic = s->rule == WidthRule::Quadratic;
    switch (sectionShapeFor(c, s->a)) {
    case SectionShape::InsideRim: return rule + QStringLiteral("·外壁在喇叭口边缘以内");
    case SectionShape::BelowTangentPoint: return rule + QStringLiteral("·外壁交于喇叭口唇部");
    case SectionShape::Inclined: return rule + (quadratic ? QStringLiteral("·斜顶") : QStringLiteral("·斜顶（非线性式所设平顶）"));
    case SectionShape::Level: return rule + (quadratic ? QStringLiteral("·平顶（非二次式所设斜顶）") : QStringLiteral("·平顶"));
    }
    return rule;
}

}  // namespace

QString calculationContent() { return QStringLiteral("进水流道喇叭管、导水锥及蜗壳计算"); }

QString programShownOnSheet(const SheetInput& input)
{
    return QString::fromUtf8(kChineseName) + QLatin1Char(' ') + q(input.version);
}

void writeCover(TextWriter& writer, const SheetInput& input)
{
    writer.paragraph(calculationContent(), titleFormat(20), Qt::AlignHCenter, 30);
    writer.paragraph(QStringLiteral("计  算  书"), titleFormat(36), Qt::AlignHCenter, 10);
    writer.paragraph(QString(), textFormat(), Qt::AlignLeft, 12);

    const QString program = programShownOnSheet(input);
    const DesignInfo& info = input.info;
    const std::array<std::pair<QString, QString>, 9> lines{{
        {QStringLiteral("设计单位："), info.unit},
        {QStringLiteral("工程名称："), info.project},
        {QStringLiteral("设计阶段："), info.stage},
        {QStringLiteral("专　　业："), info.discipline},
        {QStringLiteral("计算内容："), calculationContent()},
        {QStringLiteral("文档编号："), info.documentNumber},
        {QStringLiteral("设计文件："), input.designFile.isEmpty() ? QStringLiteral("（未保存）") : input.designFile},
        {QStringLiteral("计算时间："), input.runTime},
        {QStringLiteral("计算软件："), program},
    }};
    QTextTable* table = writer.plainTable(static_cast<int>(lines.size()), {22, 78});
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        setCellText(*table, r, 0, lines[static_cast<std::size_t>(r)].first, textFormat(12, true), Qt::AlignRight);
        setCellText(*table, r, 1, lines[static_cast<std::size_t>(r)].second, textFormat(12));
    }

    writer.paragraph(QString(), textFormat(), Qt::AlignLeft, 8);
    writer.table({16, 28, 28, 28}, {QString(), QStringLiteral("姓名"), QStringLiteral("签名"), QStringLiteral("日期")},
                 {{QStringLiteral("计  算"), info.designer, QString(), info.date},
                  {QStringLiteral("制  图"), QString(), QString(), QString()},
                  {QStringLiteral("校  核"), info.checker, QString(), info.checker.isEmpty() ? QString() : info.date},
                  {QStringLiteral("审  查"), info.reviewer, QString(), info.reviewDate},
                  {QStringLiteral("审  定"), info.approver, QString(), info.approveDate},
                  {QStringLiteral("批  准"), info.ratifier, QString(), info.ratifyDate}},
                 {}, 2);  // room to sign

    if (!info.notes.isEmpty())
        writer.paragraph(QStringLiteral("备注：") + info.notes, textFormat(12), Qt::AlignLeft, 6);
    if (!input.calculation())
        writer.paragraph(QStringLiteral("本次计算未完成：") + failureText(input) + QStringLiteral("。"),
                         textFormat(12, true), Qt::AlignLeft, 6);
}

void writeContentsHeading(TextWriter& writer)
{
    writer.newPage();
    writer.paragraph(QStringLiteral("目  录"), textFormat(16, true), Qt::AlignHCenter, 5);
    writer.contentsHere();
}

void writePurpose(TextWriter& writer)
{
    writer.newPage();
    writer.section(QStringLiteral("1 计算目的"));
    writer.paragraph(QStringLiteral("由给定的喇叭管、导水锥及蜗壳吸水室尺寸，计算喇叭管与导水锥的椭圆型线、蜗壳上壁面与"
                                    "喇叭管的切点、蜗壳吸水室 φ = 0°～90° 各断面的宽度以及流道高度和宽度，校核所得断面，"
                                    "并绘出进水流道型线图，供进水流道设计与施工图绘制使用。"));
}

void writeBasis(TextWriter& writer, const SheetInput& input)
{
    writer.section(QStringLiteral("2 计算依据"));
    // The method's own assumptions, once; no standard is cited, as none is the source of the
    // formulas below.
    const QStringList items{
        QStringLiteral("（1）计算方法及其假定：水流沿喇叭口边缘（直径 D1、高 H2 的圆周）均匀流入，φ 断面通过流量 "
                       "Q·φ/360，故其断面面积取 F = π·D1·H2·φ/360（mm²），各断面平均流速相同；"
                       "喇叭管与导水锥型线均为椭圆弧，蜗壳上壁面以倾角 aa 与喇叭管椭圆相切于切点（ap，bp）；"
                       "宽度计算式计断面面积时，喇叭口唇部（边缘至切点）按半轴 ap 与 bp - H2 的四分之一椭圆计。"
                       "图中唇部按喇叭管椭圆的实际弧段绘制，“所绘断面面积”按所绘图形计算，与 F 略有不同。"),
        QStringLiteral("（2）给定参数：水泵的喇叭管、导水锥及蜗壳吸水室尺寸，见 3 基本资料。"),
        QStringLiteral("（3）计算程序“%1”的计算式，按其计算次序列于 4 计算过程；圆周率 π 取 3.1416。")
            .arg(programShownOnSheet(input)),
    };
    for (const QString& item : items)
        writer.paragraph(item, 2);
}

namespace {

// The passage length L as the sheet states it: the length used in mm, by the one rule of
// passageLengthOf(), and how it was read from the box's text.
ValueUsed lengthUsed(const SheetInput& input, const QString& remark)
{
    const double D = input.calculation() ? input.calculation()->in.D : 0;
    const PassageLength L = passageLength(input.record->boxes, D);
    if (L.taken == PassageLength::Taken::NotRead)
        return {QStringLiteral("—"), QStringLiteral("读不出长度，不建流道实体，不计水体体积；") + remark};
    const QString mm = q(wholeMillimetres(L.millimetres));
    if (L.taken == PassageLength::Taken::TimesD)
        return {mm, q(generalText(L.number, input.locale())) + QStringLiteral(" × D；") + remark};
    return {mm, remark};
}

// A result as the sheet prints it: the box's text without the leading zeros of its picture
// ("0400" is 400, "-0008" is -8); any other text as it is.
QString withoutLeadingZeros(const QString& text)
{
    static const QRegularExpression kLeadingZeros(QStringLiteral("^(-?)0+(?=\\d)"));
    return QString(text).replace(kLeadingZeros, QStringLiteral("\\1"));
}

}  // namespace

void writeGivenDimensions(TextWriter& writer, const SheetInput& input)
{
    writer.section(QStringLiteral("3 基本资料"));
    writer.paragraph(QStringLiteral("下表列出“给定参数”框中输入的文本（原样照录）及计算由该文本取用的数值。"
                                    "长度以 mm 计，角度以度（°）计。"));
    std::vector<QStringList> rows;
    for (const Box box : givenParameterBoxes()) {
        if (box == Box::Text5 || box == Box::Text6)
            continue;  // H and B: results the run writes into the frame
        const std::string& text = input.text(box);
        ValueUsed used = valueUsed(box, text, input.locale());
        if (box == kPassageLengthBox)
            used = lengthUsed(input, used.remark);
        rows.push_back({symbolOf(box), q(boxCaption(box)), q(text), used.value, q(boxUnit(box)), used.remark});
    }
    writer.table({7, 24, 13, 21, 7, 28},
                 {QStringLiteral("符号"), QStringLiteral("名称"), QStringLiteral("输入文本"), QStringLiteral("计算取值"),
                  QStringLiteral("单位"), QStringLiteral("说明")},
                 rows, {3});
    writer.paragraph(QStringLiteral("框中的流道高度 H 与流道宽度 B 由计算写入，见 5 计算结果。"));
}

void writeResults(TextWriter& writer, const SheetInput& input)
{
    writer.section(QStringLiteral("5 计算结果"));
    if (input.calculation()) {
        writer.paragraph(QStringLiteral("各结果与程序窗口中所示一致；窗口中前补零的整数（如 0400）此处去掉前补的零，"
                                        "窗口原文列于“窗口显示”栏。"));
    } else {
        writer.paragraph(QStringLiteral("计算未完成：") + failureText(input) + QStringLiteral("。"), textFormat(10.5, true),
                         Qt::AlignLeft, 0.5);
        writer.paragraph(QStringLiteral("下表列出中止前已算出的结果；未算出的结果以“—”表示。"
                                        "因计算未完成，本计算书不含蜗壳断面形状、设计校核及型线图。"));
    }
    std::vector<QStringList> rows;
    for (const ResultGroup& group : resultGroups()) {
        rows.push_back({QString::fromUtf8(group.title)});
        for (const Box box : group.boxes) {
            const QString text = input.wasWritten(box) ? q(input.text(box)) : QStringLiteral("—");
            const QString shown = withoutLeadingZeros(text);
            rows.push_back({symbolOf(box), q(boxCaption(box)), shown, q(boxUnit(box)), shown == text ? QString() : text});
        }
    }
    const std::optional<double> drawnB = input.secondPassageWidth();
    if (drawnB) {
        // The B the drawings, the solid and the flow take, beside the one the window shows.
        const QString shown = q(wholeMillimetres(*drawnB));
        rows.push_back({QStringLiteral("B"), QStringLiteral("流道宽度（按面积一致宽度，图形、实体及流场采用）"), shown,
                        QStringLiteral("mm"), QString()});
    }
    writer.table({10, 44, 22, 9, 15},
                 {QStringLiteral("符号"), QStringLiteral("名称"), QStringLiteral("结果"), QStringLiteral("单位"),
                  QStringLiteral("窗口显示")},
                 rows, {2, 4});
    if (drawnB)
        writer.paragraph(QStringLiteral("上表两行 B：前者为计算结果（窗口所示，按计算宽度 a90），后者为按面积一致宽度 a90 "
                                        "所得流道宽度；本计算书的图形、比值、流速及导出的图形、实体和流场均采用后者。"));
}

void writeStations(TextWriter& writer, const SheetInput& input)
{
    const Calculation& c = *input.calculation();
    const Volute& v = c.volute;
    const WidthSets& widths = *input.widths();
    const bool areaTrue = input.widthSet() == WidthSet::AreaTrue;
    writer.subsection(QStringLiteral("4.5 蜗壳断面形状"));
    writer.paragraph(QStringLiteral("临界面积 Ft = %1 mm²，P = %2 mm，T = tan aa = %3。"
                                    "断面面积不大于 Ft 时按二次式、大于 Ft 时按线性式计算宽度，φ = 90° 一律按线性式。")
                         .arg(q(wholeMillimetres(v.Ft)), q(wholeMillimetres(v.P)), q(fixedFigure(v.T, 4, input.locale()))));
    if (widths.Fstar) {
        const double rh = v.tp.ap + (static_cast<double>(v.hk) - v.tp.bp) / v.T;
        writer.paragraph(QStringLiteral("二次式的宽度是斜顶断面（上壁面自切点以倾角 aa 直达外壁）的面积恰为 F 时的宽度，"
                                        "线性式的宽度是平顶断面（上壁面升至 hk 后水平延至外壁）的面积恰为 F 时的宽度。"
                                        "上壁面恰在 hk 处与外壁相交时，宽度 rh = ap + (hk - bp)/T = %1 mm，断面面积 "
                                        "F* = rh·bp - π·ap·(bp - H2)/4 + (hk - bp)²/(2·T) = %2 mm²，两式在此给出同一宽度。"
                                        "面积一致宽度在 F ≤ F* 时按二次式、F > F* 时按线性式计算，所得断面均为计算式所设形状，"
                                        "面积等于 F，宽度随 φ 连续变化。")
                             .arg(q(wholeMillimetres(rh)), q(wholeMillimetres(*widths.Fstar))));
    } else {
        writer.paragraph(QStringLiteral("蜗壳断面高度 hk = %1 mm 不高于切点高度 bp = %2 mm 或喇叭口边缘高度 H2 = %3 mm，"
                                        "不存在计算式所设形状的蜗壳断面：下表只列计算宽度，不给出其他宽度，图中不绘断面。")
                             .arg(q(wholeMillimetres(v.hk)), q(wholeMillimetres(v.tp.bp)), q(wholeMillimetres(c.in.H2))));
    }
    const bool both = !widths.differing().empty();
    writer.paragraph((areaTrue ? QStringLiteral("本计算书的图形及导出图形按面积一致宽度绘制。")
                               : QStringLiteral("本计算书的图形及导出图形按计算宽度（即 5 计算结果中的宽度）绘制。"))
                     + (both ? QStringLiteral("两组宽度不同之处，下表并列两组宽度。") : QString()));

    const std::array<std::optional<Station>, 12> drawn = widths.chosen(input.widthSet());
    const std::array<std::optional<double>, 12> drawnAreas = drawnSectionAreas(c, widths, input.widthSet());
    std::vector<QStringList> rows;
    for (std::size_t i = 0; i < widths.computed.size(); ++i) {
        const Station& s = widths.computed[i];
        QString height = QStringLiteral("—"), area = QStringLiteral("—");
        if (drawn[i] && widths.sectionsExist()) {
            const SectionShape shape = sectionShapeFor(c, drawn[i]->a);
            if (shape == SectionShape::Level)
                height = q(wholeMillimetres(v.hk));
            else if (shape == SectionShape::Inclined)
                height = q(wholeMillimetres(inclinedWallHeight(c, drawn[i]->a)));
            if (const std::optional<double> a = drawnAreas[i]) {
                area = q(wholeMillimetres(*a));
                if (drawnAreaDiffers(*a, s.F))
                    area += QStringLiteral("（%1 %）").arg(q(fixedFigure(drawnAreaPercent(*a, s.F), 1, input.locale())));
            }
        }
        QStringList row{QString::number(s.phi), q(wholeMillimetres(s.F)), q(wholeMillimetres(s.a)),
                        ruleAndShape(c, widths, s)};
        if (both) {
            const std::optional<Station>& t = widths.areaTrue[i];
            row << (t ? q(wholeMillimetres(t->a)) : QStringLiteral("—")) << ruleAndShape(c, widths, t);
        }
        row << height << area;
        rows.push_back(row);
    }
    const QString drawnMark = areaTrue ? QStringLiteral("（按面积一致宽度）") : QStringLiteral("（按计算宽度）");
    if (both) {
        writer.table({7, 12, 10, 18, 10, 17, 12, 14},
                     {QStringLiteral("φ (°)"), QStringLiteral("断面面积 F (mm²)"), QStringLiteral("计算宽度 (mm)"),
                      QStringLiteral("计算式·断面形状"), QStringLiteral("面积一致宽度 (mm)"),
                      QStringLiteral("计算式·断面形状"), QStringLiteral("所绘外壁高度 (mm)"),
                      QStringLiteral("所绘断面面积 (mm²)")},
                     rows, {0, 1, 2, 4, 6, 7});
    } else {
        writer.table({8, 17, 14, 27, 16, 18},
                     {QStringLiteral("φ (°)"), QStringLiteral("断面面积 F (mm²)"), QStringLiteral("宽度 a (mm)"),
                      QStringLiteral("计算式·断面形状"), QStringLiteral("所绘外壁高度 (mm)"),
                      QStringLiteral("所绘断面面积 (mm²)")},
                     rows, {0, 1, 2, 4, 5});
    }
    writer.paragraph(QStringLiteral("宽度自喇叭口边缘向外量取。斜顶：上壁面自切点直达外壁，外壁高度 bp + T·(a - ap)；"
                                    "平顶：上壁面升至 hk 后水平延至外壁，外壁高度 hk。所绘外壁高度与所绘断面面积")
                     + drawnMark + QStringLiteral("，面积按所绘图形（喇叭口唇部为喇叭管椭圆的实际弧段）计算；"
                                                  "与 F 相差超过 0.5 % 者在括号内注明相差的百分数。"));

    if (input.chart() && input.drawings) {
        writer.picture(QStringLiteral("sheet:CHART"), *input.chart(), kChartWidthMm);
        writer.paragraph(QStringLiteral("图 4-1 各断面的面积、宽度与平均流速"), textFormat(10.5, true),
                         Qt::AlignHCenter, 1);
        writer.paragraph(QStringLiteral("实线为断面面积 F、计算宽度及按 F 的平均流速 Q·(φ/360)/F；虚线为所绘断面%1的面积、"
                                        "面积一致宽度及所绘断面的平均流速。计算宽度在两式交替处的跳跃由此可见。")
                             .arg(drawnMark));
    }
}

namespace {

// The width set the drawings, the exports and the solid are built from, as 结论 states it, and
// the sections drawn short of F.
QString adoptedWidths(const SheetInput& input)
{
    const bool areaTrue = input.widthSet() == WidthSet::AreaTrue;
    QString text = areaTrue ? QStringLiteral("施工图（型线图、导出图形及实体）采用的蜗壳宽度：按断面形状（面积一致）的宽度，见 4.5 蜗壳断面形状。")
                            : QStringLiteral("施工图（型线图、导出图形及实体）采用的蜗壳宽度：按计算结果的宽度（5 计算结果中的 a0～a90）。");
    if (input.drawing())
        if (const std::string areas = drawingNote(*input.drawing()); !areas.empty())
            text += QStringLiteral("图中") + q(areas) + QStringLiteral("。");
    return text;
}

}  // namespace

void writeConclusion(TextWriter& writer, const SheetInput& input)
{
    writer.section(QStringLiteral("6 结论"));
    if (!input.calculation()) {
        writer.paragraph(QStringLiteral("计算未完成（") + failureText(input)
                         + QStringLiteral("），不能得出结论：请按所指出错的量检查给定参数后重新计算。"));
        return;
    }
    const auto result = [&input](Box box) { return withoutLeadingZeros(q(input.text(box))); };
    int warnings = 0;
    for (const DesignCheck& check : input.checks())
        warnings += check.warning ? 1 : 0;
    writer.paragraph(QStringLiteral("按 3 基本资料所列给定参数计算：喇叭管型线椭圆半轴 a1 = %1 mm、b1 = %2 mm，"
                                    "导水锥型线椭圆半轴 a2 = %3 mm、b2 = %4 mm，蜗壳上壁面切点 ap = %5 mm、bp = %6 mm，"
                                    "φ = 90° 断面蜗壳宽度 a90 = %7 mm；进水流道高度 H = %8 mm，宽度 B = %9。")
                         .arg(result(Box::Text13), result(Box::Text14), result(Box::Text20), result(Box::Text19),
                              result(Box::Text23), result(Box::Text24), result(Box::Text25), result(Box::Text5),
                              result(Box::Text6)
                                  + (input.secondPassageWidth() ? QStringLiteral(" mm（计算结果，按计算宽度）")
                                                              : QStringLiteral(" mm"))));
    if (const std::optional<double> drawnB = input.secondPassageWidth();
        drawnB && input.widths() && input.widths()->areaTrue.back())
        writer.paragraph(QStringLiteral("按面积一致宽度，φ = 90° 断面蜗壳宽度 a90 = %1 mm，流道宽度 B = %2 mm。"
                                        "图形、比值、流速、实体及流场均按面积一致宽度。")
                             .arg(q(wholeMillimetres(input.widths()->areaTrue.back()->a)), q(wholeMillimetres(*drawnB))));
    writer.paragraph(adoptedWidths(input));
    writer.paragraph(warnings == 0 ? QStringLiteral("设计校核无警告。")
                                   : QStringLiteral("设计校核有 %1 条警告（标“▲”者，见 6.1），宜复核相应参数。").arg(warnings));
    writer.paragraph(QStringLiteral("校核仅供判断，不改变计算结果。"));
    writer.subsection(QStringLiteral("6.1 设计校核警告"));
    bool any = false;
    for (const DesignCheck& check : input.checks()) {
        if (check.warning) {
            writer.paragraph(QStringLiteral("▲ ") + q(check.chinese), 2);
            any = true;
        }
    }
    if (!any)
        writer.paragraph(QStringLiteral("无。"), 2);
    writer.subsection(QStringLiteral("6.2 流速及其他数值"));
    any = false;
    for (const DesignCheck& check : input.checks()) {
        if (!check.warning) {
            writer.paragraph(QStringLiteral("· ") + q(check.chinese), 2);
            any = true;
        }
    }
    if (!any)
        writer.paragraph(QStringLiteral("无。"), 2);
}

namespace {

// A view drawn for the sheet at the scale at which it holds in `widthMm` by `heightMm` of paper,
// its texts at their paper heights (dimensions 3.5 mm) at that scale: from the bare geometry's
// scale on to the next of the series until the view drawn at a scale holds at it.
struct SheetView {
    Drawing drawing;
    double scale = 0;
};

SheetView drawnForSheet(const SheetInput& input, const std::string& name, double widthMm, double heightMm)
{
    DrawingOptions options = input.drawingOptions();
    const auto extentOf = [&name](const Drawing& d) -> std::optional<Extent> {
        for (const View& v : d.views)
            if (v.name == name)
                return v.extent;
        return std::nullopt;
    };
    SheetView drawn;
    double scale = 1;
    for (int step = 0; step < 10; ++step) {
        options.printScale = scale;
        drawn.drawing = input.widths() ? drawPassage(*input.calculation(), *input.widths(), input.widthSet(), options)
                                     : drawPassage(*input.calculation(), options);
        const std::optional<Extent> extent = extentOf(drawn.drawing);
        const double needed = extent ? drawingScale(*extent, widthMm, heightMm) : 0;
        if (needed <= 0)
            return {};
        drawn.scale = scale;
        if (needed <= scale)
            break;
        scale = needed;
        drawn.scale = 0;
    }
    return drawn;
}

// The view `name` of `drawing` alone, its origin where the sheet had placed it, with a margin of
// paper around it at 1:`scale`.
std::optional<Drawing> viewAlone(const Drawing& drawing, const std::string& name, double scale)
{
    for (const View& v : drawing.views) {
        if (v.name != name)
            continue;
        Drawing alone = drawing;
        alone.views = {v};
        alone.views.front().placement = {};
        const double margin = kViewMarginMm * scale;
        alone.extent = {v.extent.left - margin, v.extent.bottom - margin, v.extent.right + margin, v.extent.top + margin};
        return alone;
    }
    return std::nullopt;
}

void writeView(TextWriter& writer, const SheetInput& input, const std::string& name, const QString& title,
               double widthMm, double heightMm)
{
    writer.subsection(title);
    const SheetView drawn = drawnForSheet(input, name, widthMm, heightMm);
    const std::optional<Drawing> view = drawn.scale > 0 ? viewAlone(drawn.drawing, name, drawn.scale) : std::nullopt;
    if (!view) {
        writer.paragraph(QStringLiteral("（此图无法绘出，见 6 结论。）"));
        return;
    }
    const QString key = QString::fromStdString(name);
    const double paperWidthMm = view->extent.width() / drawn.scale;
    // The scale and its bar in a band at the picture's foot, so that no page break parts them
    // from the view (a bar at the top of a page, its view on the page before).
    Drawing withScale = *view;
    withScale.extent.bottom -= VectorPictures::kScaleBandMm * drawn.scale;
    const QString picture = QStringLiteral("sheet:%1").arg(key);
    writer.picture(picture, withScale, paperWidthMm);
    VectorPictures::addScale(*writer.cursor().document(), picture, drawn.scale, std::min(kScaleBarMm, paperWidthMm));
}

}  // namespace

void writeDrawings(TextWriter& writer, const SheetInput& input)
{
    writer.newPage();
    writer.section(QStringLiteral("7 型线图"));
    writer.paragraph(QStringLiteral("图中尺寸以 mm 计，高程以 m 计。各图按所注比例绘制，尺寸数字高 3.5 mm，图下附比例尺。")
                     + (input.widthSet() == WidthSet::AreaTrue
                            ? QStringLiteral("蜗壳宽度按断面形状（面积一致）绘制，见 4.5 蜗壳断面形状。")
                            : QStringLiteral("蜗壳宽度按计算结果绘制。"))
                     + (input.widths() && !input.widths()->sectionsExist()
                            ? QStringLiteral("hk 不高于 bp 或 H2，图中不绘蜗壳断面。")
                            : QString()));
    if (!input.calculation() || !input.drawing())
        return;
    // The drawing's note on the sections that miss F, at the top of the drawings.
    if (const std::string areas = drawingNote(*input.drawing()); !areas.empty())
        writer.paragraph(q(areas), textFormat(10.5, true), Qt::AlignLeft, 1);
    writeView(writer, input, "SECTION", QStringLiteral("7.1 A—A 断面（φ=90°）"), kDrawingWidthMm, kDrawingHeightMm * 1.6);
    writeView(writer, input, "PLAN", QStringLiteral("7.2 平面图"), kDrawingWidthMm, kDrawingHeightMm * 1.6);
    // Each station section the drawing has, numbered as the plan's cutting planes number them.
    const std::array<Station, 12> all = stations(*input.calculation());
    int subsection = 3;
    for (std::size_t k = 0; k < all.size(); ++k) {
        const std::string name = "STATION_" + std::to_string(all[k].phi);
        if (std::none_of(input.drawing()->views.begin(), input.drawing()->views.end(),
                         [&name](const View& v) { return v.name == name; }))
            continue;
        const int n = static_cast<int>(k) + 1;
        writeView(writer, input, name, QStringLiteral("7.%1 %2—%2 断面（φ=%3°）").arg(subsection++).arg(n).arg(all[k].phi),
                  kDrawingWidthMm / 2, kDrawingHeightMm);
    }
}

}  // namespace inlet
