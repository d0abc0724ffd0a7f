#pragma once

// How the drawing (millimetres, y up) lies on a device (pixels, or millimetres of paper; y
// down): a uniform scale and the device point where the drawing's origin lands.

#include "drawing/Shapes.h"

#include <QPointF>
#include <QRectF>

#include <limits>

namespace inlet {

class ViewTransform {
public:
    ViewTransform() = default;
    ViewTransform(double scale, QPointF origin);

    // The whole extent, centred in the viewport and at least `margin` device units clear of
    // each of its edges. An extent without width or height is fitted by its other side, a
    // point at one device unit per millimetre.
    static ViewTransform fitting(const Extent& extent, const QRectF& viewport, double margin);

    double scale() const { return scale_; }  // device units per millimetre
    QPointF origin() const { return origin_; }

    QPointF toDevice(Point p) const;
    Point toModel(QPointF p) const;
    QRectF toDeviceRect(const Extent& e) const;

    // Enlarged `factor` times about a device point, which keeps the drawing's point under it;
    // the scale stays within the limits.
    ViewTransform zoomedAbout(QPointF at, double factor, double minScale = 0,
                              double maxScale = std::numeric_limits<double>::infinity()) const;
    // Moved by a device offset.
    ViewTransform pannedBy(QPointF offset) const;
    // The same picture on a device with `factor` device units to each of this one's.
    ViewTransform onDeviceScaledBy(double factor) const;

private:
    double scale_ = 1;
    QPointF origin_;
};

// Whether a view set up for one extent still suits the other: each edge moved by at most
// `tolerance` times the larger side of the first.
bool extentsAlike(const Extent& a, const Extent& b, double tolerance);

}  // namespace inlet
