#include "ScaleBar.h"

#include "Figures.h"
#include "SheetStyle.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace inlet {

namespace {

constexpr int kMaxSegments = 5;
constexpr int kMinSegments = 2;

}  // namespace

double scaleBarStep(double scale, double maxLengthMm)
{
    // The largest round length of which at least two segments fit.
    constexpr std::array<double, 10> kSteps{100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000};
    double chosen = kSteps.front();
    for (const double step : kSteps)
        if (kMinSegments * step / scale <= maxLengthMm && step / scale <= 25)
            chosen = step;
    return chosen;
}

QImage scaleBar(double scale, int dpi, double maxLengthMm, const NumberLocale& locale)
{
    const double step = scaleBarStep(scale, maxLengthMm);
    const double segmentMm = step / scale;
    const int segments = std::clamp(static_cast<int>(maxLengthMm / segmentMm), kMinSegments, kMaxSegments);
    const double pixelsPerMm = dpi / 25.4;
    const double margin = 5 * pixelsPerMm;  // room for the first and last figure and the unit
    const double barHeight = 1.5 * pixelsPerMm;
    const double textHeight = 3 * pixelsPerMm;

    QImage image(static_cast<int>(std::ceil(2 * margin + segments * segmentMm * pixelsPerMm)),
                 static_cast<int>(std::ceil(barHeight + 1.5 * textHeight)), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 0.2 * pixelsPerMm));
    QFont font(textFamily());
    font.setPixelSize(qRound(2.5 * pixelsPerMm));
    painter.setFont(font);
    for (int k = 0; k <= segments; ++k) {
        const double x = margin + k * segmentMm * pixelsPerMm;
        if (k < segments)
            painter.fillRect(QRectF(x, 0.1 * pixelsPerMm, segmentMm * pixelsPerMm, barHeight),
                             k % 2 == 0 ? Qt::black : Qt::white);
        const double metres = k * step / 1000;
        const QString figure =
            QString::fromStdString(fixedFigure(metres, metres == std::floor(metres) ? 0 : 1, locale));
        const QRectF below(x - margin, barHeight + 0.3 * pixelsPerMm, 2 * margin, textHeight);
        painter.drawText(below, Qt::AlignHCenter | Qt::AlignTop, figure);
        if (k == segments) {
            const double after = x + painter.fontMetrics().horizontalAdvance(figure) / 2.0 + 0.8 * pixelsPerMm;
            painter.drawText(QRectF(after, below.top(), 2 * margin, textHeight), Qt::AlignLeft | Qt::AlignTop,
                             QStringLiteral("m"));
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(margin, 0.1 * pixelsPerMm, segments * segmentMm * pixelsPerMm, barHeight));
    return image;
}

}  // namespace inlet
