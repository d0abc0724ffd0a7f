#include "render/ViewPicture.h"

#include "render/DrawingPainter.h"

#include <QPainter>

#include <cmath>

namespace inlet {

namespace {

constexpr double kMarginMm = 2;      // of paper, around the view
constexpr int kMostSide = 12000;     // pixels: an A4 page at 1200 dpi
constexpr double kThickMm = 0.5;     // line widths on paper
constexpr double kThinMm = 0.25;

}  // namespace

QImage viewPicture(const Drawing& drawing, const std::string& view, double scale, int dpi)
{
    const View* found = nullptr;
    for (const View& v : drawing.views)
        if (v.name == view)
            found = &v;
    if (!found || !(scale > 0) || dpi <= 0)
        return {};

    const double pixelsPerMm = dpi / 25.4;  // of paper
    const double perModelMm = pixelsPerMm / scale;
    const double margin = kMarginMm * pixelsPerMm;
    const Extent& e = found->extent;
    const double width = std::ceil(e.width() * perModelMm + 2 * margin);
    const double height = std::ceil(e.height() * perModelMm + 2 * margin);
    if (!(width >= 1 && width <= kMostSide && height >= 1 && height <= kMostSide))
        return {};

    // The view alone, its own origin where the sheet had placed it.
    Drawing alone;
    alone.views.push_back(*found);
    alone.views.back().placement = {};
    alone.extent = e;
    alone.textHeight = drawing.textHeight;

    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    const ViewTransform transform(perModelMm, QPointF(margin - perModelMm * e.left, margin + perModelMm * e.top));
    DrawingPainter(painter, transform, kThickMm * pixelsPerMm, kThinMm * pixelsPerMm).paint(alone);
    return image;
}

}  // namespace inlet
