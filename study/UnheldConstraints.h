#pragma once

// Why no variant of a study holds every constraint, for the engineer who must loosen one: for
// each constraint some variant breaks, how many break it and the variant nearest to holding it
// with its figure; for "no warnings", the fewest warnings any variant raises and which checks
// they are. One Failure a constraint, said after "no variant holds every constraint".

#include "calc/NumberLocale.h"
#include "messages/Failure.h"
#include "study/Requirement.h"
#include "study/VariantEvaluation.h"

#include <string>
#include <vector>

namespace inlet {

// One variant as the message names it.
struct SeenVariant {
    std::string label;               // "013.inlet (hk=2600, aa=45)"
    const VariantFigures* figures;   // its checks may be gone (read back from an earlier run)
    std::string warned;              // the checks that warn, "name:subject; name:subject"
};

// The constraints the variants break, in the order typed, after whether their runs and
// sections hold (the constraint every choice carries).
std::vector<Failure> unheldConstraints(const std::vector<Requirement>& requirements,
                                       const std::vector<SeenVariant>& variants, const NumberLocale& locale);

}  // namespace inlet
