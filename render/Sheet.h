#pragma once

// The whole drawing on paper, as the exports write it: the drawing sheet (see DrawingSheet)
// of a GB/T 14689 size with its frame and title block, the views at its scale, a scale bar
// beside the title block (none for a drawing in paper millimetres, a chart).
// Lengths in paper mm.

#include "drawing/DrawingSheet.h"
#include "drawing/Shapes.h"
#include "render/ViewTransform.h"

#include <QRectF>
#include <QSizeF>

#include <string>

class QPainter;

namespace inlet {

class Sheet {
public:
    explicit Sheet(const Drawing& drawing, const TitleBlock& block = {}, const std::string& paper = "auto");

    double scaleDenominator() const { return sheet_.scale; }  // the print scale 1:N
    QSizeF paperSize() const { return {sheet_.paper.width, sheet_.paper.height}; }
    const char* paperName() const { return sheet_.paper.name; }
    ViewTransform modelToPaper() const { return modelToPaper_; }

    // The sheet on a device with `devicePerMm` device units to the paper millimetre, on white.
    void paint(QPainter& painter, double devicePerMm) const;

private:
    const Drawing& drawing_;
    DrawingSheet sheet_;
    ViewTransform modelToPaper_;
};

}  // namespace inlet
