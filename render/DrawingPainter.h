#pragma once

// Paints a drawing with a QPainter the way a drawing is read: outlines thick and continuous,
// centre lines thin chain lines, hidden lines thin dashed, dimensions thin with filled
// arrowheads and their values, labels at their height; black, over whatever is there.
// Line widths are in device units; everything else scales with the drawing.

#include "render/ScaleBar.h"
#include "drawing/Shapes.h"
#include "render/ViewTransform.h"

#include <QFont>
#include <QColor>
#include <QFontMetricsF>
#include <QLineF>
#include <QRectF>
#include <QString>

#include <optional>
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
    // The dimension and extension lines painted by the last paint(), on the device: the texts
    // keep off them.
    const std::vector<QLineF>& dimensionLines() const { return dimensionLines_; }

private:
    // A text waiting for its place: paint() draws every line first and then places the texts,
    // each at the first of its places that is clear of the texts placed before it and of the
    // dimension lines, so that no text is printed over another at any scale.
    struct PendingText {
        QPointF baseline;
        double angle = 0;
        double height = 0;
        QString text;
        Label::Anchor anchor = Label::Anchor::Left;
        QColor colour;
        QPointF away;               // the unit step to its next place, on the device
        std::optional<QLineF> leader;  // a dimension value moved off its line is tied to it
    };
    void placeTexts();
    QRectF inkOf(const PendingText& t, QPointF shift) const;
    QRectF boxOf(const PendingText& t, QPointF shift) const;
    bool isClear(const PendingText& t, QPointF shift) const;
    void queueText(PendingText text);
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
    std::vector<QLineF> dimensionLines_;
    std::vector<QRectF> placedBoxes_;      // the texts placed by paint(), each its font's box
    std::vector<PendingText> labels_;      // placed first: titles and names stay where they are put
    std::vector<PendingText> dimensions_;  // then the dimension values
    bool queueing_ = false;                // within paint()
};

}  // namespace inlet
