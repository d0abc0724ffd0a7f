#pragma once

// A number with a fixed count of decimals and a point, whatever the locale: the figures the
// flow's, the mesh study's and the step's lines print for scripts to read.

#include <string>

namespace inlet {

std::string fixed(double value, int decimals);

}  // namespace inlet
