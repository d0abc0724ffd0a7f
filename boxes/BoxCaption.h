#pragma once

// Each box's caption as the window's label shows it, and the unit of what the box holds, as
// the box table has them.

#include "boxes/Boxes.h"

#include <string_view>

namespace inlet {

// "锥管进口直径D0(mm)"; ap's caption is its two labels read as one.
std::string_view boxCaption(Box box);
// "mm", "°", "m³/s".
std::string_view boxUnit(Box box);

}  // namespace inlet
