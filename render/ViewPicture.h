#pragma once

// One view of the drawing as a picture, for the calculation sheet: the same lines, dimensions
// and texts as the drawing window and the exported drawings, on white.

#include "drawing/Shapes.h"

#include <QImage>

#include <string>

namespace inlet {

// The view named `view` drawn to 1:`scale` at `dpi` pixels per inch, with a margin of 2 mm of
// paper; a null image where there is no such view or the picture would be unreasonably large.
QImage viewPicture(const Drawing& drawing, const std::string& view, double scale, int dpi);

}  // namespace inlet
