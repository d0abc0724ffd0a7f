#include "checks/VoluteChart.h"

#include "checks/ChartAxis.h"
#include "drawing/Figures.h"
#include "drawing/PassageGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace inlet {

namespace {

// Layout, paper mm.
constexpr double kLeft = 18;         // the plots' left edge: room for the figures of the y axis
constexpr double kPlotWidth = 132;
constexpr double kPlotHeight = 33;
constexpr double kBottom = 12;       // the lowest plot's bottom edge: room for the φ axis
constexpr double kPanelStep = 54;    // from one plot's bottom edge to the next one's above
constexpr double kFigure = 2.5;      // text heights
constexpr double kTitle = 3;
constexpr double kMarker = 0.7;      // half the size of a marker
// Above each plot, a row of its legend and above that its title, kept apart (and the title
// clear of the φ figures of the panel above) while a screen enlarges the texts up to
// kMostTextEnlargement times.
constexpr double kLegendBaseline = 1.5;  // above the plot's top edge
constexpr double kTitleBaseline = 8.5;
constexpr double kLegendLine = 7;        // an entry's line, then its name after a gap
constexpr double kLegendName = 8.5;
constexpr double kLegendGap = 4;         // after an entry's name at its largest
constexpr double kWidthAllowance = 1.2;  // for faces wider than textWidth's rough measure

// One series: a value at each station, or none.
using Series = std::array<std::optional<double>, 12>;

struct Panel {
    std::string title;   // "断面面积 F (m²)"
    std::string ascii;   // "STATION AREA F (m2)"
    Series first;
    std::string firstName, firstAscii;
    Series second;
    std::string secondName, secondAscii;
    std::string note;    // instead of the series, where there are none
    std::string noteAscii;
};

// Round ticks from below the least value to above the greatest, at most six of them; 0 is
// always on the axis.
ChartTicks ticksFor(double least, double most)
{
    least = std::min(least, 0.0);
    most = std::max(most, 0.0);
    if (!(most > least))
        most = least + 1;
    const double raw = most / 6 - least / 6;  // without overflow
    if (!std::isfinite(raw) || !(raw > 0))
        return {};
    return roundTicks(least, most, raw);
}

class ChartBuilder {
public:
    ChartBuilder(const std::array<Station, 12>& stations, const NumberLocale& locale)
        : stations_(stations), locale_(locale)
    {
    }

    void panel(const Panel& p, double bottom)
    {
        double least = 0, most = 0;
        for (const Series* s : {&p.first, &p.second})
            for (const std::optional<double>& v : *s)
                if (v && std::isfinite(*v)) {
                    least = std::min(least, *v);
                    most = std::max(most, *v);
                }
        const ChartTicks ticks = ticksFor(least, most);
        const auto y = [&](double v) { return bottom + (v - ticks.low) / (ticks.high - ticks.low) * kPlotHeight; };
        const double top = bottom + kPlotHeight, right = kLeft + kPlotWidth;

        add(Layer::Dimension, Polyline{{{kLeft, bottom}, {right, bottom}, {right, top}, {kLeft, top}}, true});
        addValueAxis(shapes_, ticks, kLeft, right, y, kFigure, true, locale_);
        for (int phi = 0; phi <= 90; phi += 10) {
            const double at = x(phi);
            add(Layer::Dimension, Line{{at, bottom - 1}, {at, bottom}});
            label({at, bottom - 1.5 - kFigure}, kFigure, Label::Anchor::Centre, std::to_string(phi),
                  std::to_string(phi));
        }
        // The axis's name after its last figure, clear of it at its largest.
        const double afterLastFigure = kMostTextEnlargement * textWidth({"90"}, kFigure) / 2 + 1.5;
        label({right + afterLastFigure, bottom - 1.5 - kFigure}, kFigure, Label::Anchor::Left, "φ(°)", "phi");
        label({kLeft, top + kTitleBaseline}, kTitle, Label::Anchor::Left, p.title, p.ascii);

        if (!p.note.empty())
            label({kLeft + kPlotWidth / 2, bottom + kPlotHeight / 2}, kFigure, Label::Anchor::Centre, p.note, p.noteAscii);
        series(p.first, y, Layer::Outline, false);
        series(p.second, y, Layer::Hidden, true);

        // The legend above the plot, each entry after the one before at its largest: its line,
        // a marker, its name.
        double legend = kLeft;
        for (const auto& [name, ascii, layer, square] :
             {std::tuple{p.firstName, p.firstAscii, Layer::Outline, false},
              std::tuple{p.secondName, p.secondAscii, Layer::Hidden, true}}) {
            const double y = top + kLegendBaseline + kFigure * 0.35;
            add(layer, Line{{legend, y}, {legend + kLegendLine, y}});
            marker({legend + kLegendLine / 2, y}, square);
            label({legend + kLegendName, top + kLegendBaseline}, kFigure, Label::Anchor::Left, name, ascii);
            legend += kLegendName + kWidthAllowance * kMostTextEnlargement * textWidth({name}, kFigure) + kLegendGap;
        }
    }

    Drawing finish()
    {
        // Nothing that is not finite reaches a writer (figures beyond the double range).
        std::erase_if(shapes_, [](const Shape& s) {
            const Extent e = extentOf(s);
            return !std::isfinite(e.left + e.right + e.bottom + e.top);
        });
        View view{"CHART", "面积、宽度与流速", std::move(shapes_), {0, 0, kChartWidthMm, kChartHeightMm}, {0, 0}};
        Drawing drawing;
        drawing.views.push_back(std::move(view));
        drawing.extent = drawing.views.front().extent;
        drawing.textHeight = kFigure;
        drawing.paper = true;
        drawing.mostTextEnlargement = kMostTextEnlargement;
        return drawing;
    }

private:
    double x(double phi) const { return kLeft + phi / 90 * kPlotWidth; }

    void add(Layer layer, Shape::Geometry geometry)
    {
        Shape& shape = shapes_.emplace_back();
        shape.layer = layer;
        shape.geometry = std::move(geometry);
    }
    void label(Point at, double height, Label::Anchor anchor, std::string text, std::string ascii)
    {
        add(Layer::Text, Label{at, height, anchor, std::move(text), std::move(ascii)});
    }
    // A round marker on the thick line's layer, or a square one in thin lines.
    void marker(Point p, bool square)
    {
        if (square)
            add(Layer::Dimension, Polyline{{{p.x - kMarker, p.y - kMarker}, {p.x + kMarker, p.y - kMarker},
                                            {p.x + kMarker, p.y + kMarker}, {p.x - kMarker, p.y + kMarker}},
                                           true});
        else
            add(Layer::Outline, Circle{p, kMarker});
    }

    // The values as lines between neighbouring stations, broken where one is missing.
    template <typename Y>
    void series(const Series& values, const Y& y, Layer layer, bool square)
    {
        std::vector<Point> run;
        const auto flush = [&] {
            if (run.size() >= 2)
                add(layer, Polyline{run, false});
            run.clear();
        };
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (!values[i] || !std::isfinite(*values[i])) {
                flush();
                continue;
            }
            const Point p{x(stations_[i].phi), y(*values[i])};
            run.push_back(p);
            marker(p, square);
        }
        flush();
    }

    const std::array<Station, 12>& stations_;
    const NumberLocale& locale_;
    std::vector<Shape> shapes_;
};

}  // namespace

Drawing voluteChart(const Calculation& c, const WidthSets& widths, WidthSet set, std::optional<double> Q,
                    const NumberLocale& locale)
{
    const std::array<Station, 12>& stations = widths.computed;
    const std::array<std::optional<double>, 12> drawnAreas = drawnSectionAreas(c, widths, set);
    const bool areaTrue = set == WidthSet::AreaTrue;

    Panel area;
    area.title = "断面面积 F（m²）";
    area.ascii = "STATION AREA F (m2)";
    area.firstName = "F = π·D1·H2·φ/360";
    area.firstAscii = "F = pi*D1*H2*phi/360";
    area.secondName = areaTrue ? "所绘断面（面积一致宽度）" : "所绘断面（计算宽度）";
    area.secondAscii = areaTrue ? "SECTION DRAWN (AREA-TRUE)" : "SECTION DRAWN (COMPUTED)";
    Panel width;
    width.title = "蜗壳宽度 a（mm）";
    width.ascii = "VOLUTE WIDTH a (mm)";
    width.firstName = "计算宽度（框中结果）";
    width.firstAscii = "COMPUTED (BOXES)";
    width.secondName = "面积一致宽度";
    width.secondAscii = "AREA-TRUE";
    Panel velocity;
    velocity.title = "断面平均流速 v（m/s）";
    velocity.ascii = "MEAN SECTION VELOCITY v (m/s)";
    velocity.firstName = "Q·(φ/360)/F";
    velocity.firstAscii = "Q*(phi/360)/F";
    velocity.secondName = "所绘断面";
    velocity.secondAscii = "SECTION DRAWN";

    for (std::size_t i = 0; i < stations.size(); ++i) {
        const Station& s = stations[i];
        const std::optional<double> drawnArea = drawnAreas[i];
        area.first[i] = s.F / 1e6;
        if (drawnArea)
            area.second[i] = *drawnArea / 1e6;
        width.first[i] = s.a;
        if (widths.areaTrue[i])
            width.second[i] = widths.areaTrue[i]->a;
        if (Q && s.F > 0) {
            const double flow = *Q * s.phi / 360;
            velocity.first[i] = flow / (s.F / 1e6);
            if (drawnArea && *drawnArea > 0)
                velocity.second[i] = flow / (*drawnArea / 1e6);
        }
    }
    if (!widths.sectionsExist()) {
        area.note = width.note = "hk 不高于 bp 或 H2：无所设形状的蜗壳断面";
        area.noteAscii = width.noteAscii = "NO VOLUTE SECTION: hk NOT ABOVE bp OR H2";
    }
    if (!Q) {
        velocity.note = "未给出设计流量 Q";
        velocity.noteAscii = "NO DESIGN FLOW Q";
    }

    ChartBuilder chart(stations, locale);
    chart.panel(area, kBottom + 2 * kPanelStep);
    chart.panel(width, kBottom + kPanelStep);
    chart.panel(velocity, kBottom);
    return chart.finish();
}

}  // namespace inlet
