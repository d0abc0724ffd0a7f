#pragma once

// A stand-in for the drawing's renderer: a frame the size the view takes at the scale, with
// the view's name in it.

#include "Shapes.h"

#include <QImage>

#include <string>

namespace inlet {

QImage framePicture(const Drawing& drawing, const std::string& view, double scale, int dpi);

}  // namespace inlet
