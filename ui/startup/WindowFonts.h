#pragma once

// The two faces of the window. The layout is in pixels, so both are sized in pixels.

#include <QFont>

namespace inlet {

// Starts reading the system's font configuration (Fontconfig's, some 3 ms of parsing) on
// another thread, before the application object connects to the display, so that both are
// done at once on a machine with two cores. The faces below wait for it. Call it once, just
// before the QApplication is made; where Qt finds fonts without Fontconfig it does nothing.
void startReadingFontConfiguration();

// Labels, edit boxes and buttons: 12 px, Latin letters and digits half as wide as a Chinese
// character, which is what the label rectangles were laid out for.
QFont windowTextFont();

// The captions of the four frames: a calligraphic face at 14.25 pt (19 px).
QFont frameCaptionFont();

// The design checks' lines, at the application's size: one face with the Chinese characters,
// the Greek letters (φ, θ) and the symbols the checks write, so that no character of a line
// comes from a fallback face of another size.
QFont checkTextFont();

}  // namespace inlet
