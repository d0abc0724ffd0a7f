#include "checks/ChartAxis.h"

#include "drawing/Figures.h"

#include <cmath>

namespace inlet {

ChartTicks roundTicks(double least, double most, double raw)
{
    const double power = std::pow(10, std::floor(std::log10(raw)));
    double step = 10 * power;
    for (const double m : {1.0, 2.0, 2.5, 5.0}) {
        if (m * power >= raw) {
            step = m * power;
            break;
        }
    }
    return {std::floor(least / step) * step, std::ceil(most / step) * step, step};
}

int tickDecimals(double step)
{
    int decimals = 0;
    while (decimals < 6 && std::fabs(step * std::pow(10, decimals) - std::round(step * std::pow(10, decimals))) > 1e-9)
        ++decimals;
    return decimals;
}

void addValueAxis(std::vector<Shape>& shapes, const ChartTicks& ticks, double left, double right,
                  const std::function<double(double)>& position, double figureHeight, bool zeroLine,
                  const NumberLocale& locale)
{
    const int decimals = tickDecimals(ticks.step);
    for (int tick = 0; tick <= 12; ++tick) {
        const double v = ticks.low + tick * ticks.step;
        if (!(v <= ticks.high + ticks.step / 2))
            break;
        const double at = position(v);
        shapes.push_back({Layer::Dimension, Line{{left - 1, at}, {left, at}}});
        if (zeroLine && std::fabs(v) < ticks.step / 2 && ticks.low < 0)
            shapes.push_back({Layer::Centre, Line{{left, at}, {right, at}}});
        // A tick a rounding away from 0 is 0.
        const std::string figure = fixedFigure(std::fabs(v) < ticks.step / 1e6 ? 0.0 : v, decimals, locale);
        shapes.push_back({Layer::Text, Label{{left - 1.8, at - figureHeight * 0.35}, figureHeight, Label::Anchor::Right, figure, figure}});
    }
}

}  // namespace inlet
