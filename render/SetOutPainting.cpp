#include "render/SetOutPainting.h"

#include "render/DrawingPainter.h"

#include <QPainter>

namespace inlet {

void paintSetOutPage(QPainter& painter, const SetOutPage& page, double devicePerMm)
{
    constexpr double kThick = 0.5, kThin = 0.25, kText = 3.5;  // as Sheet paints its frame
    const double k = devicePerMm;
    painter.fillRect(QRectF(0, 0, page.paper.width * k, page.paper.height * k), Qt::white);
    Drawing drawing;
    drawing.views.push_back(View{"SETOUT", "", page.shapes, {0, 0, page.paper.width, page.paper.height}, {}});
    drawing.extent = drawing.views.front().extent;
    drawing.textHeight = kText;
    drawing.paper = true;
    DrawingPainter(painter, ViewTransform(k, {0, page.paper.height * k}), kThick * k, kThin * k).paint(drawing);
}

}  // namespace inlet
