#include "dxf/DimensionGraphics.h"

#include <cmath>
#include <numbers>

namespace inlet {

DimensionGraphics dimensionGraphics(const Dimension& dimension, double textHeight)
{
    // "Along" is the measured direction, "across" the other one.
    const bool horizontal = dimension.direction == Dimension::Direction::Horizontal;
    const auto along = [horizontal](Point p) { return horizontal ? p.x : p.y; };
    const auto across = [horizontal](Point p) { return horizontal ? p.y : p.x; };
    const auto point = [horizontal](double a, double c) { return horizontal ? Point{a, c} : Point{c, a}; };

    const double gap = textHeight / 4;
    const double overshoot = textHeight / 2;
    const double arrowLength = textHeight;
    const double arrowHalfWidth = textHeight / 6;

    const double first = along(dimension.from);
    const double second = along(dimension.to);
    const double line = across(dimension.at);

    DimensionGraphics graphics;
    for (const Point& p : {dimension.from, dimension.to}) {
        const double offset = line - across(p);
        if (std::fabs(offset) <= gap)
            continue;  // the point lies on the dimension line
        const double side = offset > 0 ? 1 : -1;
        graphics.lines.push_back({point(along(p), across(p) + side * gap), point(along(p), line + side * overshoot)});
    }

    const double direction = second > first ? 1 : -1;
    const bool apart = first != second;
    const bool inside = std::fabs(second - first) >= 2 * arrowLength;
    if (apart) {
        const double reach = inside ? 0 : 2 * arrowLength;
        graphics.lines.push_back({point(first - direction * reach, line), point(second + direction * reach, line)});
        const double inward = inside ? 1 : -1;
        for (const auto& [tip, toward] : {std::pair{first, direction}, std::pair{second, -direction}}) {
            const double base = tip + inward * toward * arrowLength;
            graphics.arrows.push_back({point(tip, line), point(base, line + arrowHalfWidth),
                                       point(base, line - arrowHalfWidth)});
        }
    }

    const double middle = (first + second) / 2;
    graphics.figure.at = horizontal ? point(middle, line + gap) : point(middle, line - gap);
    graphics.figure.height = textHeight;
    graphics.figure.anchor = Label::Anchor::Centre;
    graphics.figure.text = dimension.text;
    graphics.figure.ascii = dimension.text;
    graphics.figureAngle = horizontal ? 0 : std::numbers::pi / 2;
    return graphics;
}

}  // namespace inlet
