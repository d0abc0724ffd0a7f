#pragma once

// Why the passage's solid was not built, as a Failure of one of the Solid… kinds: the quantity
// or station concerned, the figure that failed the condition and the bound it failed against
// (both in whole millimetres), or the modelling kernel's own words.

#include "messages/Failure.h"

#include <string>

namespace inlet {

// A condition of the design that fails: `item` ("hk", "a30", "φ=30°"), `figure` and `limit` in mm.
Failure solidFailure(Failure::Kind kind, std::string item, double figure, double limit = 0);

// The kernel could not build it (SolidModelling) or the solid is not sound (SolidNotSound), in
// `words`.
Failure solidFailure(Failure::Kind kind, std::string words);

}  // namespace inlet
