#include "Sheet.h"

#include "DrawingPainter.h"
#include "DrawingScale.h"

#include <QPainter>

#include <cmath>

namespace inlet {

namespace {

// The drawing area of an A1 sheet (841 x 594 mm) inside its margins and the strip below.
constexpr double kMostWidth = 801;
constexpr double kMostHeight = 534;
constexpr double kMargin = 15;      // from the paper's edge to the drawing
constexpr double kBorderInset = 7;  // from the paper's edge to the border
constexpr double kStrip = 15;       // below the drawing: the print scale and the scale bar
constexpr double kThick = 0.5;      // line widths
constexpr double kThin = 0.25;
constexpr double kStripText = 3.5;  // height of the strip's text

// The largest scale of the series at which the drawing fits the drawing area; 1:1 for a
// drawing without size.
double printScaleFor(const Extent& extent)
{
    const double scale = drawingScale(extent, kMostWidth, kMostHeight);
    return scale > 0 ? scale : 1;
}

}  // namespace

Sheet::Sheet(const Drawing& drawing)
    : drawing_(drawing), denominator_(drawing.paper ? 1 : printScaleFor(drawing.extent))
{
    const Extent& e = drawing.extent;
    paper_ = QSizeF(std::ceil(e.width() / denominator_ + 2 * kMargin),
                    std::ceil(e.height() / denominator_ + 2 * kMargin + (drawing.paper ? 0 : kStrip)));
    const double scale = 1 / denominator_;
    // The drawing's top-left corner at the margins, paper y down.
    modelToPaper_ = ViewTransform(scale, {kMargin - scale * e.left, kMargin + scale * e.top});
}

void Sheet::paint(QPainter& painter, double devicePerMm) const
{
    const double k = devicePerMm;
    painter.fillRect(QRectF(0, 0, paper_.width() * k, paper_.height() * k), Qt::white);
    DrawingPainter drawing(painter, modelToPaper_.onDeviceScaledBy(k), kThick * k, kThin * k);
    drawing.paint(drawing_);

    painter.save();
    painter.setPen(QPen(Qt::black, kThick * k));
    painter.drawRect(QRectF(kBorderInset * k, kBorderInset * k, (paper_.width() - 2 * kBorderInset) * k,
                            (paper_.height() - 2 * kBorderInset) * k));
    painter.restore();

    if (drawing_.paper)
        return;  // a chart: no print scale to state
    const double baseline = (paper_.height() - kMargin) * k;
    const QString scale = QStringLiteral("比例 1:%1").arg(QString::number(denominator_, 'g', 10));
    drawing.paintText({kMargin * k, baseline}, kStripText * k, scale, Label::Anchor::Left);
    drawing.paintScaleBar({(kMargin + 8 * kStripText) * k, baseline}, 60 * k, kStripText * k);
}

}  // namespace inlet
