#include "study/ParetoChart.h"

#include "checks/ChartAxis.h"
#include "drawing/Figures.h"

#include <algorithm>
#include <cmath>

namespace inlet {

namespace {

// Layout, paper mm.
constexpr double kLeft = 20;    // room for the y axis's figures
constexpr double kBottom = 14;  // room for the x axis's figures and title
constexpr double kPlotWidth = 120;
constexpr double kPlotHeight = 66;
constexpr double kFigure = 2.5;
constexpr double kTitle = 3;
constexpr double kMarker = 0.7;
constexpr double kChosen = 1.6;

// Round ticks over the values, a margin each side, at most six of them. Unlike the volute
// chart's, 0 need not be on the axis: the variants of a study lie close together, far from it.
ChartTicks ticksFor(double least, double most)
{
    // A little room each side, so that no point sits on the frame.
    const double room = (most - least) * 0.04;
    least -= room;
    most += room;
    if (!(most > least)) {
        const double pad = std::max(std::fabs(least) * 0.01, 1e-6);
        least -= pad;
        most += pad;
    }
    return roundTicks(least, most, (most - least) / 5);
}

class Builder {
public:
    explicit Builder(const NumberLocale& locale) : locale_(locale) {}

    void add(Layer layer, Shape::Geometry geometry) { shapes_.push_back({layer, std::move(geometry)}); }
    void label(Point at, double height, Label::Anchor anchor, std::string text, std::string ascii)
    {
        add(Layer::Text, Label{at, height, anchor, std::move(text), std::move(ascii)});
    }
    std::string figure(double v, int decimals) const { return fixedFigure(v, decimals, locale_); }
    std::vector<Shape>& shapes() { return shapes_; }
    const NumberLocale& locale() const { return locale_; }
    std::vector<Shape> take() { return std::move(shapes_); }

private:
    const NumberLocale& locale_;
    std::vector<Shape> shapes_;
};

}  // namespace

Drawing paretoChart(const std::vector<ParetoChartPoint>& points, std::optional<ParetoChartPoint> chosen,
                    const std::string& xTitle, const std::string& xAscii, const std::string& yTitle,
                    const std::string& yAscii, const NumberLocale& locale)
{
    std::vector<ParetoChartPoint> all = points;
    if (chosen)
        all.push_back(*chosen);
    std::erase_if(all, [](const ParetoChartPoint& p) { return !std::isfinite(p.x) || !std::isfinite(p.y); });
    double xLeast = 0, xMost = 1, yLeast = 0, yMost = 1;
    if (!all.empty()) {
        const auto [xl, xm] = std::minmax_element(all.begin(), all.end(), [](auto& a, auto& b) { return a.x < b.x; });
        const auto [yl, ym] = std::minmax_element(all.begin(), all.end(), [](auto& a, auto& b) { return a.y < b.y; });
        xLeast = xl->x, xMost = xm->x, yLeast = yl->y, yMost = ym->y;
    }
    const ChartTicks tx = ticksFor(xLeast, xMost), ty = ticksFor(yLeast, yMost);
    const auto at = [&](double x, double y) {
        return Point{kLeft + (x - tx.low) / (tx.high - tx.low) * kPlotWidth,
                     kBottom + (y - ty.low) / (ty.high - ty.low) * kPlotHeight};
    };
    Builder b(locale);
    const double right = kLeft + kPlotWidth, top = kBottom + kPlotHeight;
    b.add(Layer::Dimension, Polyline{{{kLeft, kBottom}, {right, kBottom}, {right, top}, {kLeft, top}}, true});
    const int dx = tickDecimals(tx.step);
    for (int i = 0; i <= 12; ++i) {
        const double v = tx.low + i * tx.step;
        if (!(v <= tx.high + tx.step / 2))
            break;
        const double px = at(v, ty.low).x;
        b.add(Layer::Dimension, Line{{px, kBottom - 1}, {px, kBottom}});
        const std::string text = b.figure(v, dx);
        b.label({px, kBottom - 1.5 - kFigure}, kFigure, Label::Anchor::Centre, text, text);
    }
    addValueAxis(b.shapes(), ty, kLeft, right, [&](double v) { return at(tx.low, v).y; }, kFigure, false, b.locale());
    b.label({kLeft + kPlotWidth / 2, kBottom - 4.5 - 2 * kFigure}, kTitle, Label::Anchor::Centre, xTitle, xAscii);
    b.label({kLeft, top + 5}, kTitle, Label::Anchor::Left, yTitle, yAscii);

    std::vector<ParetoChartPoint> front;
    for (const ParetoChartPoint& p : all) {
        const Point q = at(p.x, p.y);
        b.add(Layer::Dimension, Polyline{{{q.x - kMarker, q.y - kMarker}, {q.x + kMarker, q.y - kMarker},
                                          {q.x + kMarker, q.y + kMarker}, {q.x - kMarker, q.y + kMarker}},
                                         true});
        if (p.front)
            front.push_back(p);
    }
    std::sort(front.begin(), front.end(), [](auto& a, auto& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    std::vector<Point> line;
    for (const ParetoChartPoint& p : front) {
        line.push_back(at(p.x, p.y));
        b.add(Layer::Outline, Circle{line.back(), kMarker});
    }
    if (line.size() >= 2)
        b.add(Layer::Outline, Polyline{line, false});
    if (chosen && std::isfinite(chosen->x) && std::isfinite(chosen->y)) {
        const Point q = at(chosen->x, chosen->y);
        b.add(Layer::Deviation, Circle{q, kChosen});
        b.label({q.x + kChosen + 1, q.y - kChosen - kFigure}, kFigure, Label::Anchor::Left, "选定", "CHOSEN");
    }
    // The legend above the plot, right.
    const double legend = top + 5;
    b.add(Layer::Outline, Line{{right - 70, legend + 0.9}, {right - 63, legend + 0.9}});
    b.add(Layer::Outline, Circle{{right - 66.5, legend + 0.9}, kMarker});
    b.label({right - 61, legend}, kFigure, Label::Anchor::Left, "帕累托前沿", "PARETO FRONT");
    b.add(Layer::Dimension, Polyline{{{right - 38 - kMarker, legend + 0.9 - kMarker}, {right - 38 + kMarker, legend + 0.9 - kMarker},
                                      {right - 38 + kMarker, legend + 0.9 + kMarker}, {right - 38 - kMarker, legend + 0.9 + kMarker}},
                                     true});
    b.label({right - 36, legend}, kFigure, Label::Anchor::Left, "满足约束的方案", "VARIANTS");

    View view{"PARETO", "帕累托前沿", b.take(), {0, 0, kParetoChartWidthMm, kParetoChartHeightMm}, {0, 0}};
    Drawing drawing;
    drawing.views.push_back(std::move(view));
    drawing.extent = drawing.views.front().extent;
    drawing.textHeight = kFigure;
    drawing.paper = true;
    return drawing;
}

}  // namespace inlet
