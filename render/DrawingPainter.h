#pragma once

// Paints a drawing with a QPainter the way a drawing is read: outlines thick and continuous,
// centre lines thin chain lines, hidden lines thin dashed, dimensions thin with filled
// arrowheads and their values, labels at their height; black, over whatever is there.
// Line widths are in device units; everything else scales with the drawing.

#include "ScaleBar.h"
#include "Shapes.h"
#include "ViewTransform.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

namespace inlet {

class DrawingPainter {
public:
    DrawingPainter(QPainter& painter, const ViewTransform& view, double thickWidth, double thinWidth);

    // On a screen, text that would be smaller than can be read is enlarged, all of the
    // drawing's text by the same factor, so that the dimension values are at least this
    // high (device units), at most by the drawing's mostTextEnlargement where it sets one.
    // Printed sheets keep every text at its height (0, the default).
    void setLeastTextHeight(double height) { leastTextHeight_ = height; }

    // Every view that reaches into `visible` (device units; all views when it is empty).
    void paint(const Drawing& drawing, const QRectF& visible = QRectF());
    // A scale bar for the view, standing on `bottomLeft`, at most `maxLength` long, its
    // figures `textHeight` high (all in device units).
    void paintScaleBar(QPointF bottomLeft, double maxLength, double textHeight);
    // A line of text on the device, standing on `baseline`.
    void paintText(QPointF baseline, double height, const QString& text, Label::Anchor anchor);
    // The ink of each text painted by the last paint() and since, on the device in the
    // painter's coordinates: where texts are laid out not to overlap, the proof that they do not.
    const std::vector<QRectF>& textRects() const { return textRects_; }

private:
    void paintView(const View& view, double textHeight);
    void paintShape(const Shape& shape, Point placement, double textHeight);
    void paintDimension(const Dimension& d, Point placement, double textHeight);
    void paintArrow(QPointF tip, QPointF direction, double length);
    void paintRotatedText(QPointF baseline, double angle, double height, const QString& text,
                          Label::Anchor anchor);
    void setLayer(Layer layer);
    QPointF at(Point p, Point placement) const;

    QPainter& painter_;
    ViewTransform view_;
    double thick_;
    double thin_;
    QFont font_;
    QFontMetricsF metrics_;
    double leastTextHeight_ = 0;
    double textEnlarged_ = 1;  // for the drawing being painted
    std::vector<QRectF> textRects_;
};

}  // namespace inlet
