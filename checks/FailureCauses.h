#pragma once

// The boxes behind a failed run, said beside the run's message: each box the run read whose
// text is taken otherwise than it looks (the design checks' own reading of the texts), and
// each box the failing quantity is computed from that holds nothing, zero or a negative
// number where a size belongs. The run's message itself stays as it is.

#include "boxes/Boxes.h"
#include "checks/CheckWords.h"
#include "messages/Failure.h"
#include "calc/NumberLocale.h"

#include <vector>

namespace inlet {

// One line per box, in both languages; none where no box is to blame (a failure that names
// its box already, or a quantity whose inputs all look sound).
std::vector<Bilingual> failureCauses(const Failure& failure, const BoxAccess& boxes, const NumberLocale& locale);

}  // namespace inlet
