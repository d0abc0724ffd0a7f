#include "drawing/Shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace inlet {

namespace {

Extent include(Extent e, Point p) { return unite(e, around(p)); }

}  // namespace

double textWidth(std::initializer_list<std::string_view> parts, double height)
{
    double width = 0;
    for (const std::string_view text : parts) {
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if ((byte & 0xC0) == 0x80)
                continue;  // a continuation byte of a UTF-8 sequence
            width += byte >= 0xE0 ? height : 0.6 * height;
        }
    }
    return width;
}

Extent labelExtent(Point at, double height, Label::Anchor anchor, double width)
{
    double left = at.x;
    if (anchor == Label::Anchor::Centre)
        left -= width / 2;
    else if (anchor == Label::Anchor::Right)
        left -= width;
    return {left, at.y - 0.25 * height, left + width, at.y + height};
}

Shape transformed(const Shape& shape, Point origin, double k)
{
    const auto at = [&](Point p) { return Point{origin.x + k * p.x, origin.y + k * p.y}; };
    struct Visitor {
        decltype(at)& to;
        double k;
        Shape::Geometry operator()(const Line& l) const { return Line{to(l.from), to(l.to)}; }
        Shape::Geometry operator()(const Polyline& p) const
        {
            Polyline moved{{}, p.closed};
            for (const Point& q : p.points)
                moved.points.push_back(to(q));
            return moved;
        }
        Shape::Geometry operator()(const Circle& c) const { return Circle{to(c.centre), k * c.radius}; }
        Shape::Geometry operator()(const EllipseArc& a) const
        {
            return EllipseArc{to(a.centre), k * a.rx, k * a.ry, a.start, a.end};
        }
        Shape::Geometry operator()(const Dimension& d) const
        {
            return Dimension{to(d.from), to(d.to), to(d.at), d.direction, d.text};
        }
        Shape::Geometry operator()(const Label& l) const
        {
            Label moved = l;
            moved.at = to(l.at);
            moved.height = k * l.height;
            return moved;
        }
    };
    return {shape.layer, std::visit(Visitor{at, k}, shape.geometry)};
}

Extent extentOf(const Polyline& polyline) { return extentOf(polyline.points); }

namespace {

// (cos u, sin u) at u = k·pi/2 for a whole k, as the C library gives them; those of the
// quarters from -2 pi to 2 pi are worked out once.
Point unitAtQuarter(double k)
{
    constexpr double kQuarter = std::numbers::pi / 2;
    static const std::array<Point, 17> kNear = [] {
        std::array<Point, 17> unit{};
        for (int i = 0; i < 17; ++i) {
            const double u = (i - 8) * kQuarter;
            unit[static_cast<std::size_t>(i)] = {std::cos(u), std::sin(u)};
        }
        return unit;
    }();
    if (k >= -8 && k <= 8)
        return kNear[static_cast<std::size_t>(k + 8)];
    const double u = k * kQuarter;
    return {std::cos(u), std::sin(u)};
}

}  // namespace

Extent extentOf(const EllipseArc& arc)
{
    // The end points, and each quarter point (u = k·pi/2) that the arc passes.
    const auto at = [&arc](Point unit) {
        return Point{arc.centre.x + arc.rx * unit.x, arc.centre.y + arc.ry * unit.y};
    };
    Extent e = include(around(at({std::cos(arc.start), std::sin(arc.start)})), at({std::cos(arc.end), std::sin(arc.end)}));
    constexpr double kQuarter = std::numbers::pi / 2;
    const double first = std::ceil(arc.start / kQuarter);
    for (double k = first; k * kQuarter <= arc.end && k < first + 5; ++k)
        e = include(e, at(unitAtQuarter(k)));
    return e;
}

Extent extentOf(const Label& label)
{
    // Wide enough for either text: the window shows `text`, a DXF file `ascii`.
    return labelExtent(label.at, label.height, label.anchor,
                       std::max(textWidth({label.text}, label.height), textWidth({label.ascii}, label.height)));
}

Extent extentOf(const Shape& shape)
{
    return std::visit([](const auto& geometry) { return extentOf(geometry); }, shape.geometry);
}

std::vector<Point> pointsAlong(const EllipseArc& arc, double maxDeviation)
{
    // A chord of the angle step du departs from an arc of radius R by R·(1 - cos(du/2)); the
    // larger semi-axis bounds the ellipse's radius of curvature from above in that sense.
    constexpr int kMaxSegments = 4096;
    const double radius = std::max(std::fabs(arc.rx), std::fabs(arc.ry));
    const double sweep = arc.end - arc.start;
    int segments = 8;
    if (radius > maxDeviation && maxDeviation > 0 && std::isfinite(radius) && std::isfinite(sweep)) {
        const double step = 2 * std::acos(1 - maxDeviation / radius);
        segments = std::clamp(static_cast<int>(std::ceil(std::fabs(sweep) / step)), 8, kMaxSegments);
    }
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(segments) + 1);
    for (int i = 0; i <= segments; ++i) {
        const double u = arc.start + sweep * i / segments;
        points.push_back({arc.centre.x + arc.rx * std::cos(u), arc.centre.y + arc.ry * std::sin(u)});
    }
    return points;
}

}  // namespace inlet
