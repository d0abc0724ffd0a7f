#pragma once

// The drawing as data: views made of lines, polylines, circles, exact elliptical arcs,
// dimensions and labels, each on a named layer. Coordinates are millimetres in the view's
// own frame; one list of shapes that every output (the window, DXF, SVG, PNG, the
// calculation sheet) draws from.

#include <algorithm>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace inlet {

enum class Layer {
    Outline,    // the passage walls: thick continuous lines
    Centre,     // axes and centre marks: thin chain lines
    Hidden,     // advised walls and lines behind the section: thin dashed lines
    Dimension,  // dimension lines, arrows and their values
    Text,       // titles and labels
    Deviation,  // labels of a section whose drawn area is not its F: red, named in the drawing's note
};

struct Point {
    double x = 0;
    double y = 0;
};

struct Line {
    Point from;
    Point to;
};

struct Polyline {
    std::vector<Point> points;
    bool closed = false;
};

struct Circle {
    Point centre;
    double radius = 0;
};

// x = centre.x + rx·cos u, y = centre.y + ry·sin u for u from start to end (radians,
// start < end, counter-clockwise); the axes lie along x and y.
struct EllipseArc {
    Point centre;
    double rx = 0;
    double ry = 0;
    double start = 0;
    double end = 0;
};

// A linear dimension between two points, measured along x (Horizontal) or y (Vertical); the
// dimension line runs parallel to that direction through `at`.
struct Dimension {
    enum class Direction { Horizontal, Vertical };
    Point from;
    Point to;
    Point at;            // a point the dimension line passes through
    Direction direction = Direction::Horizontal;
    std::string text;    // "a1=400"; ASCII
};

// A line of text. `text` may hold Chinese and symbols (φ, °, ²); `ascii` says the same in
// ASCII letters for CAD fonts that lack them ("phi=40").
struct Label {
    enum class Anchor { Left, Centre, Right };
    Point at;              // the text's baseline point
    double height = 0;     // mm
    Anchor anchor = Anchor::Left;
    std::string text;
    std::string ascii;
};

struct Shape {
    using Geometry = std::variant<Line, Polyline, Circle, EllipseArc, Dimension, Label>;
    Layer layer = Layer::Outline;
    Geometry geometry;
};

struct Extent {
    double left = 0;
    double bottom = 0;
    double right = 0;
    double top = 0;
    double width() const { return right - left; }
    double height() const { return top - bottom; }
};

// One view: the section through the axis, the plan, or one station's section.
struct View {
    std::string name;     // DXF block name: "SECTION", "PLAN", "STATION_40"
    std::string title;    // "断面图", "平面图", "φ=40°断面"
    std::vector<Shape> shapes;
    Extent extent;        // what the shapes cover, in the view's own frame
    Point placement;      // where the view's origin lies on the sheet
};

struct Drawing {
    std::vector<View> views;
    Extent extent;        // the whole sheet, views placed
    double textHeight = 0;  // mm: the dimension values' height, and the size of their arrows
    double printScale = 1;  // printed at 1:printScale, where textHeight is 3.5 paper mm
    // Coordinates in paper millimetres (a chart): printed at 1:1, without a print scale.
    bool paper = false;
    // A screen enlarges the texts at most this many times where they would be too small to
    // read (0: as much as it needs); a layout that keeps its texts apart only so far says so.
    double mostTextEnlargement = 0;
};

// The shape with every point p taken to origin + k·p (lengths and text heights times k): a
// view to its place, or a sheet's paper millimetres to the drawing's at the print scale.
Shape transformed(const Shape& shape, Point origin, double k);

// The smallest extent holding both.
inline Extent unite(const Extent& a, const Extent& b)
{
    return {std::min(a.left, b.left), std::min(a.bottom, b.bottom), std::max(a.right, b.right),
            std::max(a.top, b.top)};
}
// The extent of a point alone.
inline Extent around(Point p) { return {p.x, p.y, p.x, p.y}; }

// The extent of one shape (dimension and label text included roughly), and of each kind.
// unite() and the extents of lines, circles, dimensions and points are inline, here: the layout
// measures every shape it adds, and out of line their results would go through memory.
Extent extentOf(const Shape& shape);
inline Extent extentOf(const Line& line) { return unite(around(line.from), around(line.to)); }
Extent extentOf(const Polyline& polyline);
inline Extent extentOf(const Circle& circle)
{
    return {circle.centre.x - circle.radius, circle.centre.y - circle.radius, circle.centre.x + circle.radius,
            circle.centre.y + circle.radius};
}
Extent extentOf(const EllipseArc& arc);
inline Extent extentOf(const Dimension& dimension)
{
    return unite(unite(around(dimension.from), around(dimension.to)), around(dimension.at));
}
Extent extentOf(const Label& label);
// The extent of a polyline through these points (none given: an empty extent at the origin).
inline Extent extentOf(std::span<const Point> points)
{
    if (points.empty())
        return {};
    Extent e = around(points.front());
    for (const Point& q : points)
        e = unite(e, around(q));
    return e;
}
// A text's rough width, its parts written one after the other: Chinese characters `height`
// wide, others 0.6 of it.
double textWidth(std::initializer_list<std::string_view> parts, double height);
// The extent of a label whose widest text is `width` wide.
Extent labelExtent(Point at, double height, Label::Anchor anchor, double width);

// Points along an arc, at most `maxDeviation` mm from it (and at least 8 segments).
std::vector<Point> pointsAlong(const EllipseArc& arc, double maxDeviation);

}  // namespace inlet
