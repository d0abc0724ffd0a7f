#pragma once

// Paints a sheet of the setting-out tables (SetOutSheet) on paper, as Sheet paints the drawing's.

#include "drawing/SetOutSheet.h"

class QPainter;

namespace inlet {

// The page on a device with `devicePerMm` device units to the paper millimetre, on white.
void paintSetOutPage(QPainter& painter, const SetOutPage& page, double devicePerMm);

}  // namespace inlet
