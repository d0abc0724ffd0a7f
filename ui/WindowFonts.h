#pragma once

// The two faces of the window. The layout is in pixels, so both are sized in pixels.

#include <QFont>

namespace inlet {

// Labels, edit boxes and buttons: 12 px, Latin letters and digits half as wide as a Chinese
// character, which is what the label rectangles were laid out for.
QFont windowTextFont();

// The captions of the four frames: a calligraphic face at 14.25 pt (19 px).
QFont frameCaptionFont();

}  // namespace inlet
