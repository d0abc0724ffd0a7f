#pragma once

// The sheet's 方案比选 chapter: the study of variants the design was chosen from, as its file
// keeps it (StudyRecord.h).

#include "sheet/SheetInput.h"
#include "sheet/TextWriter.h"

namespace inlet {

// N 方案比选: the varied inputs and their ranges, the table of variants (inputs, key figures,
// whether each holds the constraints, each failure), the Pareto front of the objective against
// B or the volume as a chart, and the chosen variant and why. For a design whose varied inputs
// are no longer the chosen variant's, only a sentence saying so.
void writeStudy(TextWriter& writer, const SheetInput& input, int number);

}  // namespace inlet
