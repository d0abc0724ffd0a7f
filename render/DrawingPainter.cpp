#include "render/DrawingPainter.h"

#include "drawing/DrawingSheet.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace inlet {

namespace {

// Text is laid out at this size and scaled to its height, so that any height is exact.
constexpr int kDesignSize = 100;
// Text smaller than this (device units) could not be read and is left out.
constexpr double kSmallestText = 1.5;
// Arcs are drawn as chords that stray at most this part of a thin line's width from them.
constexpr double kArcDeviation = 0.25;

QFont drawingFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Source Han Sans SC"), QStringLiteral("SimHei"),
                      QStringLiteral("Microsoft YaHei")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kDesignSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPointF unit(QPointF v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF();
}

}  // namespace

DrawingPainter::DrawingPainter(QPainter& painter, const ViewTransform& view, double thickWidth,
                               double thinWidth)
    : painter_(painter), view_(view), thick_(thickWidth), thin_(thinWidth), font_(drawingFont()),
      metrics_(font_)
{
}

void DrawingPainter::paint(const Drawing& drawing, const QRectF& visible)
{
    const double textHeight = drawing.textHeight > 0
                                  ? drawing.textHeight
                                  : std::max(drawing.extent.width(), drawing.extent.height()) / 70;
    const double valueHeight = textHeight * view_.scale();
    textEnlarged_ = valueHeight > 0 ? std::max(1.0, leastTextHeight_ / valueHeight) : 1.0;
    if (drawing.mostTextEnlargement > 0)
        textEnlarged_ = std::min(textEnlarged_, std::max(1.0, drawing.mostTextEnlargement));
    textRects_.clear();
    dimensionLines_.clear();
    placedBoxes_.clear();
    labels_.clear();
    dimensions_.clear();
    queueing_ = true;
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    for (const View& view : drawing.views) {
        const Extent placed{view.extent.left + view.placement.x, view.extent.bottom + view.placement.y,
                            view.extent.right + view.placement.x, view.extent.top + view.placement.y};
        // Dimension values stand a little outside what the view's extent counts.
        const double spill = 2 * textHeight * view_.scale() * textEnlarged_;
        const QRectF reach = view_.toDeviceRect(placed).adjusted(-spill, -spill, spill, spill);
        if (visible.isEmpty() || reach.intersects(visible))
            paintView(view, textHeight);
    }
    queueing_ = false;
    placeTexts();
    painter_.restore();
}

void DrawingPainter::paintView(const View& view, double textHeight)
{
    // The sheet's frame and title block keep their texts at their heights: enlarged, they
    // would spill out of the title block's boxes.
    const double enlarged = textEnlarged_;
    if (view.name == kSheetView)
        textEnlarged_ = 1;
    for (const Shape& shape : view.shapes)
        paintShape(shape, view.placement, textHeight);
    textEnlarged_ = enlarged;
}

QPointF DrawingPainter::at(Point p, Point placement) const
{
    return view_.toDevice({p.x + placement.x, p.y + placement.y});
}

void DrawingPainter::setLayer(Layer layer)
{
    QPen pen(Qt::black);
    pen.setWidthF(thin_);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    switch (layer) {
    case Layer::Outline:
        pen.setWidthF(thick_);
        pen.setCapStyle(Qt::RoundCap);
        break;
    case Layer::Centre:
        // Long dash, gap, dot, gap, in line widths.
        pen.setDashPattern({24, 3, 2, 3});
        break;
    case Layer::Hidden:
        pen.setDashPattern({12, 3});
        break;
    case Layer::Dimension:
    case Layer::Text:
        break;
    case Layer::Deviation:
        pen.setColor(Qt::red);
        break;
    }
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void DrawingPainter::paintShape(const Shape& shape, Point placement, double textHeight)
{
    setLayer(shape.layer);
    const double deviation = kArcDeviation * thin_ / view_.scale();
    const auto polyline = [&](const std::vector<Point>& points, bool closed) {
        QPolygonF polygon;
        polygon.reserve(qsizetype(points.size()));
        for (const Point& p : points)
            polygon.append(at(p, placement));
        if (closed)
            painter_.drawPolygon(polygon);
        else
            painter_.drawPolyline(polygon);
    };

    if (const auto* line = std::get_if<Line>(&shape.geometry)) {
        painter_.drawLine(at(line->from, placement), at(line->to, placement));
    } else if (const auto* p = std::get_if<Polyline>(&shape.geometry)) {
        polyline(p->points, p->closed);
    } else if (const auto* circle = std::get_if<Circle>(&shape.geometry)) {
        const EllipseArc whole{circle->centre, circle->radius, circle->radius, 0, 2 * std::numbers::pi};
        polyline(pointsAlong(whole, deviation), true);
    } else if (const auto* arc = std::get_if<EllipseArc>(&shape.geometry)) {
        polyline(pointsAlong(*arc, deviation), false);
    } else if (const auto* dimension = std::get_if<Dimension>(&shape.geometry)) {
        paintDimension(*dimension, placement, textHeight);
    } else if (const auto* label = std::get_if<Label>(&shape.geometry)) {
        // A label that has to give way moves away from its view's origin (the pump axis): the
        // plan's angles and station numbers outward, a title down and aside.
        const QPointF where = at(label->at, placement);
        QPointF away = unit(where - at({0, 0}, placement));
        if (away.isNull())
            away = {0, 1};
        queueText({where, 0, label->height * view_.scale() * textEnlarged_, QString::fromStdString(label->text),
                   label->anchor, painter_.pen().color(), away, std::nullopt});
    }
}

void DrawingPainter::paintDimension(const Dimension& d, Point placement, double textHeight)
{
    const bool horizontal = d.direction == Dimension::Direction::Horizontal;
    const Point a = horizontal ? Point{d.from.x, d.at.y} : Point{d.at.x, d.from.y};
    const Point b = horizontal ? Point{d.to.x, d.at.y} : Point{d.at.x, d.to.y};

    // Extension lines: from a small gap clear of the measured point to a little past the
    // dimension line.
    const double scale = view_.scale();
    const auto extension = [&](Point measured, Point onLine) {
        const QPointF from = at(measured, placement);
        const QPointF to = at(onLine, placement);
        const QPointF along = unit(to - from);
        if (along.isNull())
            return;  // the dimension line passes through the point
        const double gap = std::min(0.25 * textHeight * scale, std::hypot(to.x() - from.x(), to.y() - from.y()));
        const QLineF drawn(from + along * gap, to + along * (0.5 * textHeight * scale));
        painter_.drawLine(drawn);
        dimensionLines_.push_back(drawn);
    };
    extension(d.from, a);
    extension(d.to, b);

    const QPointF start = at(a, placement);
    const QPointF end = at(b, placement);
    const QPointF along = unit(end - start);
    if (along.isNull())
        return;
    const double arrow = textHeight * scale;
    const double length = std::hypot(end.x() - start.x(), end.y() - start.y());
    if (length >= 2.5 * arrow) {
        painter_.drawLine(start, end);
        dimensionLines_.emplace_back(start, end);
        paintArrow(start, -along, arrow);
        paintArrow(end, along, arrow);
    } else {
        // Too short for the arrows between the extension lines: they point in from outside.
        const QLineF drawn(start - along * (2 * arrow), end + along * (2 * arrow));
        painter_.drawLine(drawn);
        dimensionLines_.push_back(drawn);
        paintArrow(start, along, arrow);
        paintArrow(end, -along, arrow);
    }

    // The value on the side the line is read from: above a horizontal line, left of a
    // vertical one (reading upwards); in the middle, or past the line's far end where it is
    // longer than the room between the extension lines.
    const double height = textHeight * scale * textEnlarged_;
    const QString value = QString::fromStdString(d.text);
    const QPointF reading = horizontal ? QPointF(1, 0) : QPointF(0, -1);
    const QPointF up = horizontal ? QPointF(0, -1) : QPointF(-1, 0);
    const double angle = horizontal ? 0 : -90;
    const double width = metrics_.horizontalAdvance(value) * height / kDesignSize;
    // A value that has to give way moves away from what is measured, out beyond the dimension
    // line, and is tied to the line by a leader.
    QPointF away = unit(start - at(d.from, placement));
    if (away.isNull())
        away = up;
    if (width + 0.5 * height <= length) {
        const QPointF middle = (start + end) / 2;
        queueText({middle + up * (0.3 * height), angle, height, value, Label::Anchor::Centre, painter_.pen().color(),
                   away, QLineF(middle, middle)});
    } else {
        const bool endIsFar = QPointF::dotProduct(end - start, reading) > 0;
        const QPointF far = endIsFar ? end : start;
        const double past = length >= 2.5 * arrow ? 0.5 * height : 2 * arrow + 0.3 * height;
        queueText({far + reading * past + up * (0.3 * height), angle, height, value, Label::Anchor::Left,
                   painter_.pen().color(), away, QLineF(far, far)});
    }
}

void DrawingPainter::queueText(PendingText text)
{
    if (text.height < kSmallestText || text.text.isEmpty())
        return;
    if (!queueing_) {
        painter_.setPen(text.colour);
        paintRotatedText(text.baseline, text.angle, text.height, text.text, text.anchor);
        return;
    }
    (text.leader ? dimensions_ : labels_).push_back(std::move(text));
}

QRectF DrawingPainter::inkOf(const PendingText& t, QPointF shift) const
{
    const double width = metrics_.horizontalAdvance(t.text);
    const double x = t.anchor == Label::Anchor::Left ? 0 : t.anchor == Label::Anchor::Centre ? -width / 2 : -width;
    QTransform transform;
    transform.translate(t.baseline.x() + shift.x(), t.baseline.y() + shift.y());
    transform.rotate(t.angle);
    transform.scale(t.height / kDesignSize, t.height / kDesignSize);
    return transform.mapRect(metrics_.tightBoundingRect(t.text).translated(x, 0));
}

namespace {

// Whether a segment passes through a rectangle (Liang and Barsky's clipping).
bool crosses(const QLineF& line, const QRectF& r)
{
    double t0 = 0, t1 = 1;
    const double dx = line.dx(), dy = line.dy();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - r.left(), r.right() - line.x1(), line.y1() - r.top(), r.bottom() - line.y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
        } else {
            const double t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            if (t0 > t1)
                return false;
        }
    }
    return true;
}

}  // namespace

QRectF DrawingPainter::boxOf(const PendingText& t, QPointF shift) const
{
    // The font's box less an eighth of the height on each side: from most of the ascent to
    // most of the descent, as a reader of the page counts a word's extent.
    const double width = metrics_.horizontalAdvance(t.text);
    const double x = t.anchor == Label::Anchor::Left ? 0 : t.anchor == Label::Anchor::Centre ? -width / 2 : -width;
    const double trim = 0.12 * kDesignSize;
    QTransform transform;
    transform.translate(t.baseline.x() + shift.x(), t.baseline.y() + shift.y());
    transform.rotate(t.angle);
    transform.scale(t.height / kDesignSize, t.height / kDesignSize);
    return transform.mapRect(QRectF(x + trim, -metrics_.ascent() + trim, width - 2 * trim,
                                    metrics_.ascent() + metrics_.descent() - 2 * trim));
}

bool DrawingPainter::isClear(const PendingText& t, QPointF shift) const
{
    const double clearance = 0.1 * t.height;
    const QRectF box = boxOf(t, shift).adjusted(-clearance, -clearance, clearance, clearance);
    const QRectF ink = inkOf(t, shift).adjusted(-clearance, -clearance, clearance, clearance);
    return std::none_of(placedBoxes_.begin(), placedBoxes_.end(), [&](const QRectF& r) { return r.intersects(box); })
           && std::none_of(dimensionLines_.begin(), dimensionLines_.end(), [&](const QLineF& l) { return crosses(l, ink); });
}

void DrawingPainter::placeTexts()
{
    const auto place = [this](const PendingText& t) {
        const QPointF across(-t.away.y(), t.away.x());
        // Its places nearest first: outward before inward, straight out before aside.
        std::vector<std::pair<double, QPointF>> shifts;
        // Half a text height a step, up to twelve heights away in a crowded view.
        constexpr int kSteps = 24;
        const double step = 0.5 * t.height;
        for (int i = -kSteps; i <= kSteps; ++i)
            for (int j = -kSteps; j <= kSteps; ++j)
                shifts.emplace_back(std::hypot(i < 0 ? 1.5 * i : i, 1.2 * j), (t.away * i + across * j) * step);
        std::stable_sort(shifts.begin(), shifts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        QPointF chosen;
        for (const auto& [distance, shift] : shifts) {
            if (isClear(t, shift)) {
                chosen = shift;
                break;
            }
        }
        // Nowhere clear within reach: it stays where it was put.
        painter_.setPen(t.colour);
        paintRotatedText(t.baseline + chosen, t.angle, t.height, t.text, t.anchor);
        placedBoxes_.push_back(boxOf(t, chosen));
        if (t.leader && std::hypot(chosen.x(), chosen.y()) > 0.6 * t.height) {
            const QRectF ink = inkOf(t, chosen);
            const QPointF from = t.leader->p2();
            const QPointF to(std::clamp(from.x(), ink.left(), ink.right()), std::clamp(from.y(), ink.top(), ink.bottom()));
            QPen pen(t.colour);
            pen.setWidthF(thin_);
            painter_.setPen(pen);
            painter_.drawLine(from, to);
        }
    };
    for (const PendingText& t : labels_)
        place(t);
    for (const PendingText& t : dimensions_)
        place(t);
    labels_.clear();
    dimensions_.clear();
}

void DrawingPainter::paintArrow(QPointF tip, QPointF direction, double length)
{
    const QPointF base = tip - direction * length;
    const QPointF side(-direction.y() * length / 6, direction.x() * length / 6);
    const QPolygonF head{{tip, base + side, base - side}};
    painter_.save();
    painter_.setBrush(Qt::black);
    painter_.drawPolygon(head);
    painter_.restore();
}

void DrawingPainter::paintText(QPointF baseline, double height, const QString& text, Label::Anchor anchor)
{
    paintRotatedText(baseline, 0, height, text, anchor);
}

void DrawingPainter::paintRotatedText(QPointF baseline, double angle, double height, const QString& text,
                                      Label::Anchor anchor)
{
    if (height < kSmallestText || text.isEmpty())
        return;
    const double width = metrics_.horizontalAdvance(text);
    const double x = anchor == Label::Anchor::Left ? 0 : anchor == Label::Anchor::Centre ? -width / 2 : -width;
    const QColor colour = painter_.pen().color();  // the layer's
    painter_.save();
    painter_.setPen(colour);
    painter_.setFont(font_);
    painter_.translate(baseline);
    painter_.rotate(angle);
    painter_.scale(height / kDesignSize, height / kDesignSize);
    painter_.drawText(QPointF(x, 0), text);
    textRects_.push_back(painter_.transform().mapRect(metrics_.tightBoundingRect(text).translated(x, 0)));
    painter_.restore();
}

void DrawingPainter::paintScaleBar(QPointF bottomLeft, double maxLength, double textHeight)
{
    const ScaleBar bar = ScaleBar::longestWithin(view_.scale(), maxLength);
    if (bar.length <= 0)
        return;
    const double length = bar.length * view_.scale();
    const double thickness = 0.45 * textHeight;
    const QRectF whole(bottomLeft.x(), bottomLeft.y() - thickness, length, thickness);

    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    setLayer(Layer::Dimension);
    for (int i = 0; i < bar.parts; ++i) {
        const QRectF part(whole.left() + i * length / bar.parts, whole.top(), length / bar.parts, thickness);
        painter_.setBrush(i % 2 == 0 ? Qt::black : Qt::white);
        painter_.drawRect(part);
    }
    const double figures = whole.top() - 0.35 * textHeight;
    const QString value = bar.length >= 1 ? QString::number(bar.length, 'f', 0) : QString::number(bar.length, 'g', 3);
    paintText({whole.left(), figures}, textHeight, QStringLiteral("0"), Label::Anchor::Centre);
    paintText({whole.right(), figures}, textHeight, value, Label::Anchor::Centre);
    paintText({whole.right() + 0.4 * textHeight + metrics_.horizontalAdvance(value) * textHeight / kDesignSize / 2,
               figures},
              textHeight, QStringLiteral("mm"), Label::Anchor::Left);
    painter_.restore();
}

}  // namespace inlet
