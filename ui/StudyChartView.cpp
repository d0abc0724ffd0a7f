#include "ui/StudyChartView.h"

#include "study/ParetoFront.h"
#include "ui/StudyTableModel.h"

#include <QChart>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

namespace inlet {

namespace {

// A little room around the points, so that none sits on the frame.
void fit(QValueAxis& axis, double low, double high)
{
    const double room = high > low ? (high - low) * 0.08 : std::max(1.0, std::abs(low) * 0.05);
    axis.setRange(low - room, high + room);
    axis.applyNiceNumbers();
    axis.setLabelFormat(QStringLiteral("%.4g"));
}

}  // namespace

StudyChartView::StudyChartView(QWidget* parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(360, 260);
    showNothing({});
}

void StudyChartView::showNothing(const QString& why)
{
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setTitle(why);
    replaceChart(chart);
}

void StudyChartView::replaceChart(QChart* chart)
{
    // The view takes the new chart and only lets go of the old one.
    QChart* old = this->chart();
    setChart(chart);
    delete old;
}

void StudyChartView::showAgainst(const StudyTable& table, std::size_t figure, std::size_t input)
{
    showPoints(table, input, figure, {});
}

std::vector<std::size_t> StudyChartView::showPareto(const StudyTable& table, std::size_t x, std::size_t y, bool xLarger,
                                                    bool yLarger)
{
    // The front is of figures minimised: one better larger is given negated.
    const auto minimised = [](std::optional<double> value, bool larger) {
        return value && larger ? std::optional<double>(-*value) : value;
    };
    std::vector<ParetoPoint> points;
    for (std::size_t row = 0; row < table.rowCount(); ++row) {
        // A failed variant is never on the front, whatever its cells hold.
        if (!table.failure(row).empty())
            points.push_back({});
        else
            points.push_back({minimised(table.number(row, x), xLarger), minimised(table.number(row, y), yLarger)});
    }
    std::vector<std::size_t> front = paretoFront(points);
    // Drawn from the least x.
    if (xLarger)
        std::reverse(front.begin(), front.end());
    showPoints(table, x, y, front);
    return front;
}

void StudyChartView::showPoints(const StudyTable& table, std::size_t x, std::size_t y, const std::vector<std::size_t>& front)
{
    auto* chart = new QChart;
    auto* variants = new QScatterSeries;
    variants->setName(QStringLiteral("方案"));
    variants->setMarkerSize(9);
    double xLow = 0, xHigh = 0, yLow = 0, yHigh = 0;
    bool any = false;
    for (std::size_t row = 0; row < table.rowCount(); ++row) {
        const std::optional<double> px = table.number(row, x);
        const std::optional<double> py = table.number(row, y);
        if (!px || !py || !table.failure(row).empty())
            continue;
        variants->append(*px, *py);
        xLow = any ? std::min(xLow, *px) : *px;
        xHigh = any ? std::max(xHigh, *px) : *px;
        yLow = any ? std::min(yLow, *py) : *py;
        yHigh = any ? std::max(yHigh, *py) : *py;
        any = true;
    }
    chart->addSeries(variants);
    if (!front.empty()) {
        auto* line = new QLineSeries;
        line->setName(QStringLiteral("帕累托前沿"));
        QPen pen(QColor(0xc0, 0x39, 0x2b));
        pen.setWidthF(2);
        line->setPen(pen);
        line->setPointsVisible(true);
        for (const std::size_t row : front)
            line->append(*table.number(row, x), *table.number(row, y));
        chart->addSeries(line);
    }
    auto* xAxis = new QValueAxis;
    auto* yAxis = new QValueAxis;
    xAxis->setTitleText(StudyTableModel::title(table.columns()[x]));
    yAxis->setTitleText(StudyTableModel::title(table.columns()[y]));
    if (any) {
        fit(*xAxis, xLow, xHigh);
        fit(*yAxis, yLow, yHigh);
    }
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    chart->legend()->setVisible(!front.empty());
    chart->legend()->setAlignment(Qt::AlignBottom);
    if (!any)
        chart->setTitle(QStringLiteral("没有可画的方案"));
    replaceChart(chart);
}

}  // namespace inlet
