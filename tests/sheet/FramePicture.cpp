#include "FramePicture.h"

#include <QPainter>

#include <cmath>

namespace inlet {

QImage framePicture(const Drawing& drawing, const std::string& view, double scale, int dpi)
{
    for (const View& v : drawing.views) {
        if (v.name != view)
            continue;
        const double pixelsPerMm = dpi / 25.4 / scale;
        QImage image(static_cast<int>(std::ceil(v.extent.width() * pixelsPerMm)),
                     static_cast<int>(std::ceil(v.extent.height() * pixelsPerMm)), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, dpi / 100.0));
        painter.drawRect(image.rect().adjusted(2, 2, -3, -3));
        QFont font;
        font.setPixelSize(dpi / 6);
        painter.setFont(font);
        painter.drawText(image.rect(), Qt::AlignCenter, QString::fromStdString(view));
        return image;
    }
    return {};
}

}  // namespace inlet
