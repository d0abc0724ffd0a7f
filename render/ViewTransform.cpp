#include "render/ViewTransform.h"

#include <algorithm>
#include <cmath>

namespace inlet {

ViewTransform::ViewTransform(double scale, QPointF origin) : scale_(scale), origin_(origin) {}

ViewTransform ViewTransform::fitting(const Extent& extent, const QRectF& viewport, double margin)
{
    const QRectF room = viewport.adjusted(margin, margin, -margin, -margin);
    const double w = extent.width();
    const double h = extent.height();
    double scale = 1;
    if (w > 0 && h > 0)
        scale = std::min(room.width() / w, room.height() / h);
    else if (w > 0)
        scale = room.width() / w;
    else if (h > 0)
        scale = room.height() / h;
    if (!(scale > 0) || !std::isfinite(scale))
        scale = 1;
    const QPointF centre = room.center();
    const double cx = (extent.left + extent.right) / 2;
    const double cy = (extent.bottom + extent.top) / 2;
    return {scale, {centre.x() - scale * cx, centre.y() + scale * cy}};
}

QPointF ViewTransform::toDevice(Point p) const
{
    return {origin_.x() + scale_ * p.x, origin_.y() - scale_ * p.y};
}

Point ViewTransform::toModel(QPointF p) const
{
    return {(p.x() - origin_.x()) / scale_, (origin_.y() - p.y()) / scale_};
}

QRectF ViewTransform::toDeviceRect(const Extent& e) const
{
    return QRectF(toDevice(Point{e.left, e.top}), toDevice(Point{e.right, e.bottom})).normalized();
}

ViewTransform ViewTransform::zoomedAbout(QPointF at, double factor, double minScale, double maxScale) const
{
    const double scale = std::clamp(scale_ * factor, minScale, std::max(minScale, maxScale));
    const Point fixed = toModel(at);
    return {scale, {at.x() - scale * fixed.x, at.y() + scale * fixed.y}};
}

ViewTransform ViewTransform::pannedBy(QPointF offset) const { return {scale_, origin_ + offset}; }

ViewTransform ViewTransform::onDeviceScaledBy(double factor) const
{
    return {scale_ * factor, origin_ * factor};
}

bool extentsAlike(const Extent& a, const Extent& b, double tolerance)
{
    const double allowed = tolerance * std::max(a.width(), a.height());
    return std::fabs(a.left - b.left) <= allowed && std::fabs(a.right - b.right) <= allowed
           && std::fabs(a.bottom - b.bottom) <= allowed && std::fabs(a.top - b.top) <= allowed;
}

}  // namespace inlet
