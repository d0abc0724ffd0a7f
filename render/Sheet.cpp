#include "render/Sheet.h"

#include "render/DrawingPainter.h"

#include <QPainter>

namespace inlet {

namespace {

constexpr double kThick = 0.5;  // line widths, paper mm
constexpr double kThin = 0.25;
constexpr double kBarText = 3.5;

}  // namespace

Sheet::Sheet(const Drawing& drawing, const TitleBlock& block, const std::string& paper)
    : drawing_(drawing), sheet_(drawingSheet(drawing, block, paper))
{
    // Paper y runs down from the top edge; the sheet's y up from the bottom edge.
    modelToPaper_ = ViewTransform(1 / sheet_.scale, {sheet_.viewsOrigin.x, sheet_.paper.height - sheet_.viewsOrigin.y});
}

void Sheet::paint(QPainter& painter, double devicePerMm) const
{
    const double k = devicePerMm;
    painter.fillRect(QRectF(0, 0, sheet_.paper.width * k, sheet_.paper.height * k), Qt::white);
    DrawingPainter drawing(painter, modelToPaper_.onDeviceScaledBy(k), kThick * k, kThin * k);
    drawing.paint(drawing_);

    Drawing frame;
    frame.views.push_back(View{"SHEET", "", sheet_.shapes, {0, 0, sheet_.paper.width, sheet_.paper.height}, {}});
    frame.extent = frame.views.front().extent;
    frame.textHeight = kBarText;
    DrawingPainter(painter, ViewTransform(k, {0, sheet_.paper.height * k}), kThick * k, kThin * k).paint(frame);

    // The scale bar inside the frame's bottom left corner; a chart has no scale to show.
    if (drawing_.paper)
        return;
    const QPointF bar((sheet_.frame.left + 5) * k, (sheet_.paper.height - sheet_.frame.bottom - 8) * k);
    drawing.paintScaleBar(bar, 60 * k, kBarText * k);
}

}  // namespace inlet
