#pragma once

// The whole drawing on paper, as the exports write it: at the largest standard scale (1:1,
// 1:2, 1:2.5 or 1:5 times a power of ten) at which it fits the drawing area of an A1 sheet,
// inside a border, with the print scale and a scale bar below it. A drawing in paper
// millimetres (a chart) is printed 1:1, without them. Lengths in paper mm.

#include "Shapes.h"
#include "ViewTransform.h"

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace inlet {

class Sheet {
public:
    explicit Sheet(const Drawing& drawing);

    double scaleDenominator() const { return denominator_; }  // the print scale 1:N
    QSizeF paperSize() const { return paper_; }
    ViewTransform modelToPaper() const { return modelToPaper_; }

    // The sheet on a device with `devicePerMm` device units to the paper millimetre, on white.
    void paint(QPainter& painter, double devicePerMm) const;

private:
    const Drawing& drawing_;
    double denominator_ = 1;
    QSizeF paper_;
    ViewTransform modelToPaper_;
};

}  // namespace inlet
