#include "drawing/PassageDrafting.h"

#include "calc/DesignInputs.h"
#include "drawing/DrawingSheet.h"
#include "drawing/Figures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <span>
#include <string>

namespace inlet {

namespace {

// The drawing's own angles use the true pi; only the calculation's formulas use 3.1416.
constexpr double kPi = std::numbers::pi;

bool usable(double x) { return std::isfinite(x) && x > 0; }

Point mirrored(Point p) { return {-p.x, p.y}; }

Shape mirrored(const Shape& shape)
{
    struct Visitor {
        Shape::Geometry operator()(const Line& l) const { return Line{mirrored(l.from), mirrored(l.to)}; }
        Shape::Geometry operator()(const Polyline& p) const
        {
            Polyline m{{}, p.closed};
            for (const Point& q : p.points)
                m.points.push_back(mirrored(q));
            return m;
        }
        Shape::Geometry operator()(const Circle& c) const { return Circle{mirrored(c.centre), c.radius}; }
        Shape::Geometry operator()(const EllipseArc& a) const
        {
            return EllipseArc{mirrored(a.centre), a.rx, a.ry, kPi - a.end, kPi - a.start};
        }
        Shape::Geometry operator()(const Dimension& d) const
        {
            return Dimension{mirrored(d.from), mirrored(d.to), mirrored(d.at), d.direction, d.text};
        }
        Shape::Geometry operator()(const Label& l) const
        {
            Label m = l;
            m.at = mirrored(l.at);
            if (l.anchor != Label::Anchor::Centre)
                m.anchor = l.anchor == Label::Anchor::Left ? Label::Anchor::Right : Label::Anchor::Left;
            return m;
        }
    };
    return {shape.layer, std::visit(Visitor{}, shape.geometry)};
}

// The shapes a view is made of, added in drawing order. A builder that only measures keeps
// no shapes and writes no dimension texts: it works out the extent the view would have.
class ViewBuilder {
public:
    enum class Mode { Draw, Measure };
    // `capacity`: about how many shapes the view has.
    explicit ViewBuilder(Mode mode = Mode::Draw, std::size_t capacity = 8) : mode_(mode)
    {
        if (mode_ == Mode::Draw)
            shapes_.reserve(capacity);
    }

    void line(Layer layer, Point from, Point to) { add(layer, Line{from, to}); }
    void polyline(Layer layer, std::vector<Point>&& points)
    {
        if (points.size() < 2)
            return;
        if (mode_ == Mode::Measure)
            include(extentOf(points));
        else
            add(layer, Polyline{std::move(points), false});
    }
    // The points are copied only where the view keeps its shapes.
    void polyline(Layer layer, std::span<const Point> points)
    {
        if (points.size() < 2)
            return;
        if (mode_ == Mode::Measure)
            include(extentOf(points));
        else
            add(layer, Polyline{{points.begin(), points.end()}, false});
    }
    void polyline(Layer layer, std::initializer_list<Point> points)
    {
        polyline(layer, std::span<const Point>(points.begin(), points.size()));
    }
    void arc(const EllipseArc& a) { add(Layer::Outline, a); }
    // An arc whose extent has been worked out already.
    void arc(const EllipseArc& a, const Extent& extent)
    {
        if (include(extent) && mode_ == Mode::Draw)
            shapes_.push_back(Shape{Layer::Outline, a});
    }
    void circle(Layer layer, Point centre, double radius)
    {
        if (usable(radius))
            add(layer, Circle{centre, radius});
    }
    // A dimension whose figure reads "name=value" in whole millimetres.
    void horizontalDimension(Point from, Point to, double y, std::string_view name, double value)
    {
        add(Layer::Dimension, Dimension{from, to, {(from.x + to.x) / 2, y}, Dimension::Direction::Horizontal,
                                        figure(name, value)});
    }
    void verticalDimension(Point from, Point to, double x, std::string_view name, double value)
    {
        add(Layer::Dimension, Dimension{from, to, {x, (from.y + to.y) / 2}, Dimension::Direction::Vertical,
                                        figure(name, value)});
    }
    // A label whose text and ASCII text are these parts one after the other.
    void label(Point at, double height, Label::Anchor anchor, std::initializer_list<std::string_view> text,
               std::initializer_list<std::string_view> ascii)
    {
        label(Layer::Text, at, height, anchor, text, ascii);
    }
    void label(Layer layer, Point at, double height, Label::Anchor anchor, std::initializer_list<std::string_view> text,
               std::initializer_list<std::string_view> ascii)
    {
        if (mode_ == Mode::Measure)
            include(labelExtent(at, height, anchor, std::max(textWidth(text, height), textWidth(ascii, height))));
        else
            add(layer, Label{at, height, anchor, join(text), join(ascii)});
    }
    void centreMark(Point p, double size)
    {
        line(Layer::Centre, {p.x - size, p.y}, {p.x + size, p.y});
        line(Layer::Centre, {p.x, p.y - size}, {p.x, p.y + size});
    }
    // Adds these shapes and then the mirror image of each, for the left-hand side of the axis.
    void withMirrorImage(const std::vector<Shape>& shapes)
    {
        for (const Shape& shape : shapes)
            add(shape);
        for (const Shape& shape : shapes)
            add(mirrored(shape));
    }
    std::vector<Shape> take() { return std::move(shapes_); }

    // The view, named by these parts (a measured view has no names).
    View finish(std::initializer_list<std::string_view> name, std::initializer_list<std::string_view> title)
    {
        if (mode_ == Mode::Measure)
            return View{{}, {}, {}, extent_, {}};
        return View{join(name), join(title), std::move(shapes_), extent_, {}};
    }

private:
    std::string figure(std::string_view name, double value) const
    {
        if (mode_ == Mode::Measure)
            return {};
        return join({name, "=", wholeMillimetres(value)});
    }
    // Nothing that is not finite reaches a writer: a shape with such a coordinate is left out
    // (the design checks say why the drawing is incomplete).
    template <typename Geometry>
    void add(Layer layer, Geometry&& geometry)
    {
        if (include(extentOf(geometry)) && mode_ == Mode::Draw)
            shapes_.push_back(Shape{layer, std::forward<Geometry>(geometry)});
    }
    void add(const Shape& shape)
    {
        if (include(extentOf(shape)) && mode_ == Mode::Draw)
            shapes_.push_back(shape);
    }
    // Widens the view's extent by a shape's, where that is finite.
    bool include(const Extent& e)
    {
        if (!std::isfinite(e.left + e.right + e.bottom + e.top))
            return false;
        extent_ = empty_ ? e : unite(extent_, e);
        empty_ = false;
        return true;
    }
    Mode mode_;
    std::vector<Shape> shapes_;
    Extent extent_;
    bool empty_ = true;
};

// Text heights on paper, in mm: dimension figures and labels, and the views' titles.
constexpr double kFigureMm = 3.5;
constexpr double kTitleMm = 5;
// A title's height in units of the figures' height h.
constexpr double kTitle = kTitleMm / kFigureMm;

}  // namespace

std::optional<AreaNote> areaNote(const std::array<std::optional<StationSection>, 12>& sections, WidthSet set)
{
    std::string names, ascii;
    bool otherShape = false, lipOnly = false;
    for (std::size_t k = 0; k < sections.size(); ++k) {
        const std::optional<StationSection>& s = sections[k];
        if (!s || !s->area || !drawnAreaDiffers(*s->area, s->station.F))
            continue;
        const std::string n = std::to_string(k + 1);
        names.append(names.empty() ? "" : "、").append(n).append("—").append(n);
        ascii.append(ascii.empty() ? "" : ", ").append(n).append("-").append(n);
        // A section of the shape its rule assumes misses F only by the bell's true lip.
        const bool assumed = (s->station.rule == WidthRule::Quadratic && s->shape == SectionShape::Inclined)
                             || (s->station.rule == WidthRule::Linear && s->shape == SectionShape::Level);
        (assumed ? lipOnly : otherShape) = true;
    }
    if (names.empty())
        return std::nullopt;
    AreaNote note{{"红字：所绘断面面积与 F 相差超过 0.5 %（" + names + " 断面）"},
                  {"RED: AREA DRAWN DIFFERS FROM F BY MORE THAN 0.5 % (" + ascii + ")"}};
    if (otherShape && set == WidthSet::Computed) {
        note.text.push_back("改用面积一致宽度：菜单 文件 → 断面宽度 → 按断面形状（面积一致）");
        note.ascii.push_back("AREA-TRUE WIDTHS: --widths area-true");
    }
    if (lipOnly) {
        // The rules count the bell's lip as a quarter ellipse; what is drawn is the true arc,
        // which tells most in the smallest sections.
        note.text.push_back("F 按四分之一椭圆计喇叭口唇部，所绘为实际椭圆弧");
        note.ascii.push_back("F COUNTS THE LIP AS A QUARTER ELLIPSE");
    }
    return note;
}

std::string joinedNote(const std::vector<std::string>& sentences)
{
    std::string line;
    for (const std::string& s : sentences)
        line.append(line.empty() ? "" : "；").append(s);
    return line;
}

std::string drawingNote(const Drawing& drawing)
{
    std::vector<std::string> sentences;
    for (const View& view : drawing.views) {
        if (view.name != "AREA_NOTE")
            continue;
        for (const Shape& shape : view.shapes)
            if (const auto* label = std::get_if<Label>(&shape.geometry))
                sentences.push_back(label->text);
    }
    return joinedNote(sentences);
}

namespace {

// The wall and roof of a station's section: its outline from the floor at the outer wall to
// the tangent point (or to where the wall meets the bell).
std::span<const Point> wallAndRoof(const StationSection& s)
{
    if (s.outline.size() < 3)
        return {};
    return std::span<const Point>(s.outline).subspan(2);
}

// "±0.000", "1.300", "-0.500": an elevation in metres to three decimals.
std::string elevationText(double metres)
{
    if (std::fabs(metres) < 0.0005)
        return "±0.000";
    std::array<char, 400> text;  // "%.3f" of any double fits
    const char* end = toFixed(text.data(), text.data() + text.size(), metres, 3);
    // At most 47 characters, as the mark has always cut an elevation beyond the double's range.
    return std::string(text.data(), std::min<std::size_t>(static_cast<std::size_t>(end - text.data()), 47));
}

// An elevation mark: a triangle standing on its point at the level z, the elevation above it.
void elevationMark(ViewBuilder& view, double x, double z, double h, const std::string& text)
{
    view.polyline(Layer::Dimension, {{x, z}, {x - 0.6 * h, z + h}, {x + 0.6 * h, z + h}, {x, z}});
    view.line(Layer::Dimension, {x - 0.6 * h, z}, {x + 4.5 * h, z});
    view.label({x - 0.6 * h, z + 1.3 * h}, h, Label::Anchor::Left, {text}, {text});
}

// What a drawing shows at every scale, worked out once: the widths drawn and the walls.
struct Walls {
    std::array<std::optional<Station>, 12> stations;         // of the set drawn
    std::optional<double> B;                                 // 2·a90 + D1 of that set
    PassageProfile profile;
    std::array<std::optional<StationSection>, 12> sections;  // see drawnSections()
    std::array<Extent, 12> lips;                             // the extent of each section's lip
    std::vector<Point> plan;                                 // see outerWallInPlan()
};

Walls wallsOf(const Calculation& c, const WidthSets& widths, WidthSet set)
{
    // No B where no section of the assumed form exists: its widths are not a volute's.
    const std::optional<double> B = !widths.sectionsExist()       ? std::nullopt
                                    : set == WidthSet::Computed ? std::optional<double>(c.B)
                                                                : widths.passageWidth(set, c.in.D1);
    Walls walls{widths.chosen(set), B,
                passageProfile(c), drawnSections(c, widths, set), {}, {}};
    for (std::size_t k = 0; k < walls.sections.size(); ++k)
        if (walls.sections[k] && walls.sections[k]->lip)
            walls.lips[k] = extentOf(*walls.sections[k]->lip);
    walls.plan = outerWallInPlan(walls.stations, c.profile.x1);
    return walls;
}

// What the views of one drawing share: the run, the widths drawn and the text height.
struct Drawn {
    const Calculation& c;
    const WidthSets& widths;
    WidthSet set;
    const Walls& walls;
    const std::array<std::optional<Station>, 12>& stations;  // of the set drawn
    const std::optional<double>& B;                          // 2·a90 + D1 of that set
    double h = 0;
    const DrawingOptions& options;
    ViewBuilder::Mode mode;
};

// Under a view's title: the widths drawn where they are not the boxes', and why no station
// section is drawn where none exists.
void notes(ViewBuilder& view, const Drawn& d, Point title)
{
    double y = title.y - 1.8 * d.h;
    if (d.set == WidthSet::AreaTrue && d.widths.sectionsExist()) {
        view.label({title.x, y}, 0.9 * d.h, Label::Anchor::Centre, {"蜗壳宽度按断面形状（面积一致）"},
                   {"VOLUTE WIDTHS BY SECTION SHAPE (AREA-TRUE)"});
        y -= 1.5 * d.h;
    }
    if (!d.widths.sectionsExist()) {
        const Volute& v = d.c.volute;
        const std::string hk = wholeMillimetres(v.hk), bp = wholeMillimetres(v.tp.bp);
        const std::string H2 = wholeMillimetres(d.c.in.H2);
        view.label({title.x, y}, 0.9 * d.h, Label::Anchor::Centre,
                   {"hk=", hk, " 不高于 bp=", bp, " 或 H2=", H2, "：无所设形状的蜗壳断面，未绘断面"},
                   {"NO VOLUTE SECTION: hk=", hk, " NOT ABOVE bp=", bp, " OR H2=", H2});
    }
}

View sectionView(const Drawn& d, const std::optional<StationSection>& at90)
{
    const Calculation& c = d.c;
    const double h = d.h;
    const PassageProfile& profile = d.walls.profile;
    const std::optional<Station>& s90 = d.stations.back();
    const double wall = s90 ? std::max(c.profile.x1, c.profile.x1 + s90->a)
                            : std::max(c.profile.x1, profile.tangentPoint.x);
    const double H = c.profile.H;

    // The walls right of the axis, and their mirror image on the left.
    ViewBuilder right;
    right.line(Layer::Outline, profile.coneInlet, profile.coneTop);
    if (profile.bellMouth)
        right.arc(*profile.bellMouth);
    if (profile.guideCone)
        right.arc(*profile.guideCone);
    if (at90)
        right.polyline(Layer::Outline, wallAndRoof(*at90));
    ViewBuilder view(d.mode, 64);
    view.withMirrorImage(right.take());

    view.line(Layer::Outline, {-wall, 0}, {wall, 0});
    view.line(Layer::Outline, mirrored(profile.guideConeTop), profile.guideConeTop);
    view.line(Layer::Centre, {0, -h}, {0, 1.06 * H});
    if (profile.bellMouth)
        view.centreMark(profile.bellMouth->centre, h);

    const ProfileResults& p = c.profile;
    const TangentPoint& tp = c.volute.tp;
    const double H1 = c.in.H1, H2 = c.in.H2;
    const DrawingOptions& options = d.options;
    if (d.B)
        view.horizontalDimension({-wall, 0}, {wall, 0}, -3 * h, "B", *d.B);
    view.horizontalDimension(mirrored(profile.rim), profile.rim, -6 * h, "D1", c.in.D1);
    // Above the top: D0 at the cone inlet, the centres' distances from the axis, Ds and D.
    view.horizontalDimension(mirrored(profile.coneInlet), profile.coneInlet, H + 3 * h,
                             "D0", c.in.D0);
    view.horizontalDimension({0, H}, {p.x1, p.H - p.y1}, H + 6 * h, "x1", p.x1);
    view.horizontalDimension({-p.x2, p.H - p.y2}, {0, H}, H + 6 * h, "x2", p.x2);
    double above = H + 9 * h;
    if (options.Ds && usable(*options.Ds)) {
        view.horizontalDimension({-*options.Ds / 2, H}, {*options.Ds / 2, H}, above, "Ds", *options.Ds);
        above += 3 * h;
    }
    if (usable(c.in.D))
        view.horizontalDimension({-c.in.D / 2, H}, {c.in.D / 2, H}, above, "D", c.in.D);
    view.horizontalDimension(mirrored(profile.guideConeTop), profile.guideConeTop,
                             profile.guideConeTop.y - 3 * h, "dd0", c.in.dd0);
    // Right: the whole height and hk; left: H2, H1 and H0 chained from the floor.
    view.verticalDimension({wall, 0}, {profile.coneTop.x, H}, wall + 6 * h, "H", H);
    view.verticalDimension({wall, 0}, {wall, c.volute.hk}, wall + 3 * h,
                           "hk", c.volute.hk);
    view.verticalDimension({-wall, 0}, {-wall, H2}, -wall - 3 * h, "H2", H2);
    view.verticalDimension({-wall, H2}, {-wall, H1 + H2}, -wall - 3 * h, "H1", H1);
    view.verticalDimension({-wall, H1 + H2}, mirrored(profile.coneTop), -wall - 3 * h, "H0", c.in.H0);
    // The bell-mouth ellipse on the right, the guide cone's on the left.
    const Point centre{p.x1, p.H - p.y1};
    view.horizontalDimension({p.x1 - p.a1, centre.y}, centre, centre.y + 2 * h, "a1", p.a1);
    // Inside the pipe, clear of the bell-mouth wall that b1 spans.
    view.verticalDimension(profile.rim, centre, p.x1 - p.a1 - 2 * h, "b1", p.b1);
    view.verticalDimension(centre, {p.x1, H}, p.x1 - p.a1 - 2 * h, "y1", p.y1);
    const Point centre2{-p.x2, p.H - p.y2};
    view.horizontalDimension(centre2, {-(p.x2 - p.a2), centre2.y}, centre2.y + 2 * h, "a2", p.a2);
    view.verticalDimension({-p.x2, 0}, centre2, -p.x2 - 2 * h, "b2", p.b2);
    view.verticalDimension(centre2, {-p.x2, H}, -p.x2 - 2 * h, "y2", p.y2);
    // On the left-hand side, below the bell's lip, where its value has room beside it; on the
    // right the upper wall and bp are in the way.
    view.horizontalDimension(mirrored(profile.tangentPoint), mirrored(profile.rim),
                             std::min(profile.rim.y, profile.tangentPoint.y) - 2 * h, "ap", tp.ap);
    view.verticalDimension({profile.tangentPoint.x, 0}, profile.tangentPoint,
                           profile.tangentPoint.x + 2 * h, "bp", tp.bp);

    // Elevations left of the chained heights: the floor, the rim, the cone inlet, hk and the
    // top; a mark that would stand on another's takes the nearest column to the left where
    // none stands near its level (two columns take levels that alternate close and far, and
    // the view stays as narrow as it can at a small scale).
    const double floor = options.floorElevation.value_or(0);
    std::vector<std::pair<double, int>> marks;  // level, column
    marks.reserve(5);
    for (const double z : {0.0, static_cast<double>(H2), H1 + H2, static_cast<double>(c.volute.hk), H}) {
        if (!std::isfinite(z) || std::any_of(marks.begin(), marks.end(), [z](const auto& m) { return m.first == z; }))
            continue;
        // Counted in columns, not by stepping x, which at a far wall a step would not move.
        const auto taken = [&](int column) {
            return std::any_of(marks.begin(), marks.end(), [&](const auto& m) {
                return std::fabs(m.first - z) < 2.5 * h && m.second == column;
            });
        };
        int column = 0;
        while (column < 5 && taken(column))
            ++column;
        const double x = -wall - 9 * h - 7 * h * column;
        view.line(Layer::Dimension, {-wall - 3.5 * h, z}, {x + 4.5 * h, z});
        elevationMark(view, x, z, h, elevationText(floor + z / 1000));
        marks.emplace_back(z, column);
    }
    view.label({0, -10 * h}, kTitle * h, Label::Anchor::Centre, {"A—A 断面（φ=90°）"}, {"A-A (phi=90)"});
    notes(view, d, {0, -10 * h});
    return view.finish({"SECTION"}, {"A—A 断面"});
}

// A cutting plane's end: a thick stroke from `from` along `along`, an arrow toward `look`, the
// plane's name beyond.
void cuttingMark(ViewBuilder& view, Point from, Point along, Point look, double h, const std::string& name)
{
    const Point to{from.x + 1.5 * h * along.x, from.y + 1.5 * h * along.y};
    view.polyline(Layer::Outline, {from, to});
    const Point tip{to.x + 2 * h * look.x, to.y + 2 * h * look.y};
    view.line(Layer::Dimension, to, tip);
    const Point back{tip.x - 0.8 * h * look.x, tip.y - 0.8 * h * look.y};
    const Point side{-look.y * 0.3 * h, look.x * 0.3 * h};
    view.polyline(Layer::Dimension, {tip, {back.x + side.x, back.y + side.y}, {back.x - side.x, back.y - side.y}, tip});
    view.label({to.x + 1.2 * h * along.x, to.y + 1.2 * h * along.y - 0.5 * h}, h, Label::Anchor::Centre, {name}, {name});
}

View planView(const Drawn& d)
{
    const Calculation& c = d.c;
    const double h = d.h;
    const double rim = c.profile.x1;
    const std::optional<Station>& s90 = d.stations.back();
    const double half = s90 ? std::max(rim, rim + s90->a) : rim;  // B/2
    const double straight = std::max(half, h);                     // how far the straight walls are drawn

    ViewBuilder view(d.mode, 96);
    const std::vector<Point>& plan = d.walls.plan;
    if (!plan.empty()) {
        // The wall on the right, on to the inlet where there is a width at 90 degrees, and its
        // mirror image on the left, from the inlet back.
        std::vector<Point> wall;
        wall.reserve(2 * plan.size() + 2);
        if (s90)
            wall.push_back(mirrored({half, -straight}));
        for (auto it = plan.rbegin(); it != plan.rend(); ++it)
            wall.push_back(mirrored(*it));
        const std::size_t leftEnd = wall.size();
        if (d.stations.front()) {
            // One wall round the back from one side to the other.
            wall.insert(wall.end(), plan.begin() + 1, plan.end());
        } else {
            // Without a width at 0 degrees the wall stops short of the back on either side.
            wall.insert(wall.end(), plan.begin(), plan.end());
        }
        if (s90)
            wall.push_back({half, -straight});
        if (d.stations.front()) {
            view.polyline(Layer::Outline, std::move(wall));
        } else {
            const std::span<const Point> both(wall);
            view.polyline(Layer::Outline, both.first(leftEnd));
            view.polyline(Layer::Outline, both.subspan(leftEnd));
        }
    }

    // The break line across the inlet: the passage goes on.
    const double zig = h;
    if (s90)
        view.polyline(Layer::Outline, {{-half, -straight}, {-zig, -straight}, {-zig / 2, -straight + zig},
                                       {zig / 2, -straight - zig}, {zig, -straight}, {half, -straight}});
    view.circle(Layer::Outline, {0, 0}, c.in.D1 / 2);
    view.circle(Layer::Outline, {0, 0}, c.in.D0 / 2);
    view.circle(Layer::Hidden, {0, 0}, static_cast<double>(c.in.dd0) / 2);
    view.line(Layer::Centre, {-half - 2 * h, 0}, {half + 2 * h, 0});
    const double back = d.stations.front() ? rim + d.stations.front()->a : rim;
    view.line(Layer::Centre, {0, -straight - h}, {0, back + 2 * h});

    // The section A-A through the axis, seen from the inlet; each station's section, its
    // plane the station's radius, seen turning with φ; numbered by the station, 1 at 0°.
    cuttingMark(view, {-half - 2 * h, 0}, {-1, 0}, {0, 1}, h, "A");
    cuttingMark(view, {half + 2 * h, 0}, {1, 0}, {0, 1}, h, "A");
    for (std::size_t k = 0; k < d.stations.size(); ++k) {
        const std::optional<Station>& s = d.stations[k];
        if (!s)
            continue;
        const Point& unit = unitAtDegree(s->phi);
        const double r = std::max(rim + s->a, rim);
        view.line(Layer::Centre, {rim * unit.x, rim * unit.y}, {(rim + s->a) * unit.x, (rim + s->a) * unit.y});
        cuttingMark(view, {(r + h) * unit.x, (r + h) * unit.y}, unit, {unit.y, -unit.x}, h, std::to_string(k + 1));
        const std::string phi = std::to_string(s->phi);
        view.label({(r + 6 * h) * unit.x, (r + 6 * h) * unit.y - 0.5 * h}, h, Label::Anchor::Left, {phi, "°"},
                   {phi});
    }
    if (s90 && d.B)
        view.horizontalDimension({-half, -straight}, {half, -straight}, -straight - 3 * h,
                                 "B", *d.B);
    view.label({0, -straight - 7 * h}, kTitle * h, Label::Anchor::Centre, {"平面图"}, {"PLAN"});
    notes(view, d, {0, -straight - 7 * h});
    return view.finish({"PLAN"}, {"平面图"});
}

View stationView(const Calculation& c, const StationSection& section, const Extent& lip, int number, double h,
                 ViewBuilder::Mode mode)
{
    const Station& station = section.station;
    const double r0 = c.profile.x1;
    const double wall = r0 + station.a;

    ViewBuilder view(mode, 8);
    view.line(Layer::Centre, {r0, c.in.H2}, {r0, 0});
    view.line(Layer::Outline, {std::min(r0, wall) - 2 * h, 0}, {std::max(r0, wall), 0});
    view.polyline(Layer::Outline, wallAndRoof(section));
    if (section.lip)
        view.arc(*section.lip, lip);

    view.horizontalDimension({r0, 0}, {wall, 0}, -2 * h, symbol(station.width), station.a);
    if (section.shape == SectionShape::Level) {
        view.verticalDimension({wall, 0}, {wall, c.volute.hk}, wall + 2 * h,
                               "hk", c.volute.hk);
    } else if (section.shape == SectionShape::Inclined) {
        const double height = inclinedWallHeight(c, station.a);
        view.verticalDimension({wall, 0}, {wall, height}, wall + 2 * h, "h", height);
    }

    const double middle = std::min(r0, wall) + std::fabs(station.a) / 2;
    const std::string phi = std::to_string(station.phi), n = std::to_string(number);
    const std::string F = wholeMillimetres(station.F);
    const bool quadratic = station.rule == WidthRule::Quadratic;
    view.label({middle, -5.5 * h}, kTitle * h, Label::Anchor::Centre, {n, "—", n, " φ=", phi, "°断面"},
               {n, "-", n, " phi=", phi});
    // The area drawn, and F with the difference in red where they part by more than 0.5 %.
    std::string differs;
    if (section.area) {
        const std::string drawn = wholeMillimetres(*section.area);
        view.label({middle, -7.5 * h}, h, Label::Anchor::Centre, {"所绘面积 ", drawn, " mm²"},
                   {"DRAWN ", drawn, " mm2"});
        if (drawnAreaDiffers(*section.area, station.F)) {
            std::array<char, 400> text;  // "%.1f" of any double fits
            const double percent = drawnAreaPercent(*section.area, station.F);
            differs.assign(text.data(), toFixed(text.data(), text.data() + text.size(), percent, 1));
            if (percent > 0)
                differs.insert(0, "+");
        }
    }
    const double below = section.area ? -9.5 * h : -7.5 * h;
    if (differs.empty()) {
        view.label({middle, below}, h, Label::Anchor::Centre, {"F=", F, " mm²  ", quadratic ? "二次式" : "线性式"},
                   {"F=", F, " mm2 ", quadratic ? "quadratic" : "linear"});
    } else {
        // No wider than the plain line, so that six views still share a row of an A3 sheet.
        view.label(Layer::Deviation, {middle, below}, h, Label::Anchor::Centre, {"F=", F, " mm² 相差 ", differs, "%"},
                   {"F=", F, " mm2 ", differs, "%"});
    }
    return view.finish({"STATION_", phi}, {"φ=", phi, "°断面"});
}

// The views side by side: the section with its pump axis at x = 0 and floor at y = 0, the
// plan to its right, the stations in rows of six below.
void placeViews(Drawing& drawing, double gap)
{
    auto& views = drawing.views;
    View& section = views[0];
    View& plan = views[1];
    section.placement = {0, 0};
    plan.placement = {section.extent.right + gap - plan.extent.left, section.extent.bottom - plan.extent.bottom};

    double top = std::min(section.extent.bottom, plan.placement.y + plan.extent.bottom) - gap;
    for (std::size_t first = 2; first < views.size(); first += 6) {
        double x = section.extent.left;
        double rowHeight = 0;
        for (std::size_t k = first; k < std::min(first + 6, views.size()); ++k) {
            View& station = views[k];
            station.placement = {x - station.extent.left, top - station.extent.top};
            x += station.extent.width() + gap;
            rowHeight = std::max(rowHeight, station.extent.height());
        }
        top -= rowHeight + gap;
    }

    const auto placed = [](const View& v) {
        return Extent{v.extent.left + v.placement.x, v.extent.bottom + v.placement.y,
                      v.extent.right + v.placement.x, v.extent.top + v.placement.y};
    };
    drawing.extent = placed(views.front());
    for (const View& v : views)
        drawing.extent = unite(drawing.extent, placed(v));
}

}  // namespace

namespace {

// The drawing printed at 1:scale; only measured (its views' and its extent, no shapes) in
// Measure mode.
Drawing drawAtScale(const Calculation& c, const WidthSets& widths, WidthSet set, const Walls& walls,
                    const DrawingOptions& options, double scale, ViewBuilder::Mode mode = ViewBuilder::Mode::Draw)
{
    const double h = kFigureMm * scale;
    const Drawn d{c, widths, set, walls, walls.stations, walls.B, h, options, mode};
    const std::array<std::optional<StationSection>, 12>& sections = walls.sections;
    Drawing drawing;
    drawing.textHeight = h;
    drawing.printScale = scale;
    // Its texts are laid out at their heights at the print scale: on a screen they scale with
    // the views, as in a CAD viewer, since enlarged they would stand on one another.
    drawing.mostTextEnlargement = 1;
    drawing.views.reserve(2 + sections.size());
    drawing.views.push_back(sectionView(d, sections.back()));
    drawing.views.push_back(planView(d));
    for (std::size_t k = 0; k < sections.size(); ++k)
        if (sections[k])
            drawing.views.push_back(stationView(c, *sections[k], walls.lips[k], static_cast<int>(k) + 1, h, mode));
    placeViews(drawing, 4 * h);
    // The note on the sections that miss F, at the top over the plan (beside the section, whose
    // dimensions stand higher), so that it seldom makes the drawing taller.
    if (const std::optional<AreaNote> note = areaNote(sections, set)) {
        ViewBuilder lines(mode, note->text.size());
        for (std::size_t k = 0; k < note->text.size(); ++k)
            lines.label(Layer::Deviation, {0, -1.6 * h * static_cast<double>(k)}, h, Label::Anchor::Left,
                        {note->text[k]}, {note->ascii[k]});
        View view = lines.finish({"AREA_NOTE"}, {"断面面积说明"});
        const View& plan = drawing.views[1];
        view.placement = {plan.placement.x + plan.extent.left - view.extent.left,
                          plan.placement.y + plan.extent.top + 3 * h - view.extent.bottom};
        drawing.extent = unite(drawing.extent, Extent{view.extent.left + view.placement.x, view.extent.bottom + view.placement.y,
                                                      view.extent.right + view.placement.x, view.extent.top + view.placement.y});
        drawing.views.push_back(std::move(view));
    }
    return drawing;
}

}  // namespace

Drawing drawPassage(const Calculation& c, const WidthSets& widths, WidthSet set, const DrawingOptions& options)
{
    const Walls walls = wallsOf(c, widths, set);
    if (options.printScale > 0)
        return drawAtScale(c, widths, set, walls, options, options.printScale);
    // The texts grow with the scale and the views with their texts: from the scale that holds
    // the bare geometry, on to the next of the series until the views drawn at a scale hold at it.
    double scale = sheetScale(drawAtScale(c, widths, set, walls, options, 1, ViewBuilder::Mode::Measure).extent,
                              options.paper);
    Drawing drawing = drawAtScale(c, widths, set, walls, options, scale);
    for (int step = 0; step < 8; ++step) {
        const double needed = sheetScale(drawing.extent, options.paper);
        if (needed <= scale)
            break;
        scale = needed;
        drawing = drawAtScale(c, widths, set, walls, options, scale);
    }
    return drawing;
}

Drawing drawPassage(const Calculation& c, const DrawingOptions& options)
{
    return drawPassage(c, widthSets(c), WidthSet::Computed, options);
}

}  // namespace inlet
