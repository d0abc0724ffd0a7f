#include "cli/StudySummary.h"

#include <QJsonArray>

#include <algorithm>
#include <numeric>

namespace inlet {

namespace {

// The columns the file keeps: every one but the long lists of warnings and checks.
bool kept(const std::string& title)
{
    return title != "warned" && title != "checks";
}

QJsonArray cellsOf(const std::vector<std::string>& titles, const std::vector<std::string>& cells)
{
    QJsonArray array;
    for (std::size_t c = 0; c < cells.size() && c < titles.size(); ++c)
        if (kept(titles[c]))
            array.append(QString::fromStdString(cells[c]));
    return array;
}

// The figures the chart and the choice read, as numbers.
void putFigures(QJsonObject& object, const VariantFigures& f)
{
    for (const std::string_view name : {"B", "v_max", "volume"})
        if (const auto value = figureNamed(f, name))
            object[QString::fromLatin1(name.data(), qsizetype(name.size()))] = *value;
}

}  // namespace

QJsonObject studySummary(const StudyOptions& study, const std::vector<VariedInput>& inputs, const StudyTable& table,
                         const std::vector<std::string>& chosenCells, const VariantFigures& chosen,
                         const std::vector<std::string>& chosenTexts, int evaluations)
{
    QJsonObject summary;
    summary[QStringLiteral("depth")] = study.solid ? QStringLiteral("solid") : QStringLiteral("checks");
    QJsonArray varied;
    for (const VariedInput& input : inputs) {
        QJsonObject v{{QStringLiteral("name"), QString::fromStdString(input.name)}};
        if (input.box) {
            v[QStringLiteral("from")] = input.from;
            v[QStringLiteral("to")] = input.to;
            v[QStringLiteral("count")] = input.count;
        }
        varied.append(v);
    }
    summary[QStringLiteral("varied")] = varied;
    if (study.samples > 0) {
        summary[QStringLiteral("samples")] = study.samples;
        summary[QStringLiteral("seed")] = QString::number(study.seed);
    }
    summary[QStringLiteral("objective")] = QString::fromStdString(study.optimise.value_or("B"));
    QJsonArray require;
    for (const std::string& r : study.require)
        require.append(QString::fromStdString(r));
    summary[QStringLiteral("require")] = require;
    QJsonArray columns;
    for (const std::string& title : table.titles)
        if (kept(title))
            columns.append(QString::fromStdString(title));
    summary[QStringLiteral("columns")] = columns;
    summary[QStringLiteral("variants")] = qint64(table.rows.size());

    // Which rows: all of a small study; of a large one those that hold, best first.
    std::vector<std::size_t> order(table.rows.size());
    std::iota(order.begin(), order.end(), 0);
    if (order.size() > kMostSummaryRows) {
        const std::string objective = study.optimise.value_or("B");
        const auto key = [&](std::size_t i) {
            const auto v = figureNamed(*table.figures[i], objective);
            return std::pair{!(table.holds[i] && v), v.value_or(0)};
        };
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
        order.resize(kMostSummaryRows);
        std::sort(order.begin(), order.end());
    }
    QJsonArray rows;
    for (const std::size_t i : order) {
        QJsonObject row{{QStringLiteral("cells"), cellsOf(table.titles, table.rows[i])},
                        {QStringLiteral("holds"), bool(table.holds[i])}};
        putFigures(row, *table.figures[i]);
        rows.append(row);
    }
    summary[QStringLiteral("rows")] = rows;

    QJsonObject best{{QStringLiteral("cells"), cellsOf(table.titles, chosenCells)},
                     {QStringLiteral("evaluations"), evaluations}};
    putFigures(best, chosen);
    QJsonObject texts;
    for (std::size_t i = 0; i < inputs.size() && i < chosenTexts.size(); ++i)
        texts[QString::fromStdString(inputs[i].name)] = QString::fromStdString(chosenTexts[i]);
    best[QStringLiteral("texts")] = texts;
    summary[QStringLiteral("chosen")] = best;
    return summary;
}

}  // namespace inlet
