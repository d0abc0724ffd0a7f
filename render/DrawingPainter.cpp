#include "DrawingPainter.h"

#include "DrawingSheet.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QStringList>

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
        paintText(at(label->at, placement), label->height * view_.scale() * textEnlarged_, QString::fromStdString(label->text),
                  label->anchor);
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
        painter_.drawLine(from + along * gap, to + along * (0.5 * textHeight * scale));
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
        paintArrow(start, -along, arrow);
        paintArrow(end, along, arrow);
    } else {
        // Too short for the arrows between the extension lines: they point in from outside.
        painter_.drawLine(start - along * (2 * arrow), end + along * (2 * arrow));
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
    if (width + 0.5 * height <= length) {
        paintRotatedText((start + end) / 2 + up * (0.3 * height), angle, height, value, Label::Anchor::Centre);
    } else {
        const bool endIsFar = QPointF::dotProduct(end - start, reading) > 0;
        const QPointF far = endIsFar ? end : start;
        const double past = length >= 2.5 * arrow ? 0.5 * height : 2 * arrow + 0.3 * height;
        paintRotatedText(far + reading * past + up * (0.3 * height), angle, height, value, Label::Anchor::Left);
    }
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
