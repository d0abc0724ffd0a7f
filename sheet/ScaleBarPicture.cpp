#include "sheet/ScaleBarPicture.h"

#include "render/DrawingPainter.h"

#include <QPainter>

#include <cmath>

namespace inlet {

QImage scaleBarPicture(double scale, int dpi, double maxLengthMm)
{
    const double pixelsPerMm = dpi / 25.4;  // of paper
    const double textHeight = 2.5 * pixelsPerMm;
    const double margin = 2 * pixelsPerMm;
    QImage image(static_cast<int>(std::ceil(maxLengthMm * pixelsPerMm + 2 * margin + 4 * textHeight)),
                 static_cast<int>(std::ceil(2.2 * textHeight + 2 * margin)), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);

    QPainter painter(&image);
    DrawingPainter drawing(painter, ViewTransform(pixelsPerMm / scale, {}), 0.5 * pixelsPerMm, 0.25 * pixelsPerMm);
    drawing.paintScaleBar({margin + textHeight, image.height() - margin}, maxLengthMm * pixelsPerMm, textHeight);
    return image;
}

}  // namespace inlet
