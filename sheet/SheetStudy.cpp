#include "sheet/SheetStudy.h"

#include "document/StudyRecord.h"
#include "sheet/SheetStyle.h"
#include "study/ParetoChart.h"

#include <algorithm>

namespace inlet {

namespace {

// A column's title on the sheet.
QString columnTitle(const QString& column)
{
    if (column == QLatin1String("variant"))
        return QStringLiteral("方案");
    if (column == QLatin1String("B"))
        return QStringLiteral("B (mm)");
    if (column == QLatin1String("v_max"))
        return QStringLiteral("v_max (m/s)");
    if (column == QLatin1String("volume"))
        return QStringLiteral("体积 (m³)");
    if (column == QLatin1String("wetted_area"))
        return QStringLiteral("过水面积 (m²)");
    if (column == QLatin1String("sections"))
        return QStringLiteral("断面");
    if (column == QLatin1String("warnings"))
        return QStringLiteral("警告数");
    if (column == QLatin1String("error"))
        return QStringLiteral("失败原因");
    return column;
}

QString cellText(const QString& column, const QString& cell)
{
    if (column == QLatin1String("sections"))
        return cell == QLatin1String("exist") ? QStringLiteral("存在") : cell == QLatin1String("missing") ? QStringLiteral("缺失") : cell;
    return cell;
}

QStringList rowOf(const StudyRecord& record, const StudyRecord::Variant& v, bool front)
{
    QStringList row;
    for (int c = 0; c < record.columns.size(); ++c)
        row << cellText(record.columns[c], v.cells.value(c));
    row << (v.holds ? QStringLiteral("是") : QStringLiteral("否")) << (front ? QStringLiteral("●") : QString());
    return row;
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

}  // namespace

void writeStudy(TextWriter& writer, const SheetInput& input, int number)
{
    const std::optional<StudyRecord> record = studyRecordOf(input.study);
    if (!record)
        return;
    const QString n = QString::number(number);
    writer.section(n + QStringLiteral(" 方案比选"));
    if (!studyIsOf(*record, input.givenTexts(), input.widthSet())) {
        writer.paragraph(QStringLiteral("本设计的输入已不同于方案比选选定的方案，方案比选的结果不适用于本设计，从略。"));
        return;
    }
    const QString depth = record->depth == QLatin1String("solid") ? QStringLiteral("设计校核与实体（水体体积、过水边壁面积）")
                                                                  : QStringLiteral("设计校核");
    const bool all = qint64(record->rows.size()) == record->variants;
    writer.paragraph(QStringLiteral("变化的输入：%1；其余输入同本设计。方案：%2，共 %3 个，逐一计算%4。%5")
                         .arg(record->varied.join(QStringLiteral("、")), record->plan)
                         .arg(record->variants)
                         .arg(depth,
                              all ? QString()
                                  : QStringLiteral("下表列出满足约束且目标最优的 %1 个，全部方案见 study.csv。")
                                        .arg(record->rows.size())));

    writer.subsection(n + QStringLiteral(".1 方案表"));
    bool chosenOnFront = false;
    const std::vector<std::size_t> front = studyFront(*record, &chosenOnFront);
    QStringList header;
    std::vector<double> widths;
    std::vector<int> right;
    for (int c = 0; c < record->columns.size(); ++c) {
        const QString& column = record->columns[c];
        header << columnTitle(column);
        const bool narrow = column == QLatin1String("sections") || column == QLatin1String("warnings");
        widths.push_back(column == QLatin1String("error") ? 14 : column == QLatin1String("variant") ? 12 : narrow ? 6 : 10);
        if (column != QLatin1String("variant") && column != QLatin1String("sections") && column != QLatin1String("error"))
            right.push_back(c);
    }
    header << QStringLiteral("满足约束") << QStringLiteral("前沿");
    widths.push_back(7);
    widths.push_back(5);
    double total = 0;
    for (const double w : widths)
        total += w;
    for (double& w : widths)
        w *= 100 / total;
    std::vector<QStringList> rows;
    for (std::size_t i = 0; i < record->rows.size(); ++i)
        rows.push_back(rowOf(*record, record->rows[i], std::find(front.begin(), front.end(), i) != front.end()));
    rows.push_back(rowOf(*record, record->chosen, chosenOnFront));
    writer.table(widths, header, rows, right);
    writer.paragraph(QStringLiteral("末行 best.inlet 为选定方案（本设计）。“满足约束”指各断面存在且满足下文所列约束；"
                                    "“前沿”标出帕累托前沿上的方案。"));

    writer.subsection(n + QStringLiteral(".2 帕累托前沿"));
    const QString objective = record->objective, other = frontFigure(*record);
    std::vector<ParetoChartPoint> points;
    for (std::size_t i = 0; i < record->rows.size(); ++i) {
        const StudyRecord::Variant& v = record->rows[i];
        const auto x = v.figures.find(objective), y = v.figures.find(other);
        if (v.holds && x != v.figures.end() && y != v.figures.end())
            points.push_back({x->second, y->second, std::find(front.begin(), front.end(), i) != front.end()});
    }
    std::optional<ParetoChartPoint> chosen;
    if (record->chosen.figures.count(objective) && record->chosen.figures.count(other))
        chosen = ParetoChartPoint{record->chosen.figures.at(objective), record->chosen.figures.at(other), chosenOnFront};
    const auto ascii = [](const QString& figure) { return figure == QLatin1String("volume") ? std::string("VOLUME (m3)") : figure.toStdString(); };
    writer.picture(QStringLiteral("sheet:PARETO"),
                   paretoChart(points, chosen, utf8(figureTitle(objective)), ascii(objective), utf8(figureTitle(other)),
                               ascii(other), input.locale()),
                   kParetoChartWidthMm);
    writer.paragraph(QStringLiteral("图 %1-1 %2与%3的帕累托前沿").arg(n, figureTitle(objective), figureTitle(other)),
                     textFormat(10.5, true), Qt::AlignHCenter, 1);
    writer.paragraph(QStringLiteral("两项指标均以小为优；前沿上的方案在一项指标上不可能再改善而不使另一项变差。"
                                    "图中只画满足约束的方案。"));

    writer.subsection(n + QStringLiteral(".3 选定方案"));
    writer.paragraph(studyChoiceText(*record));
}

}  // namespace inlet
