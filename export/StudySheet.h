#pragma once

// The workbook's sheet 方案比选: the study the design was chosen from (StudyRecord.h), from the
// same record the sheet's chapter prints.

#include "export/ExportInput.h"

#include <xlsxwriter.h>

namespace inlet {

// Adds the sheet where the design keeps a study: the table of variants under study.csv's column
// names (figures as numbers) with whether each holds the constraints and is on the Pareto front,
// the chosen design's row (best.inlet) after them, then the varied inputs, the plan and why it
// was chosen. For a design no longer the chosen variant, one line saying so.
void fillStudy(lxw_workbook* book, lxw_format* bold, const ExportInput& input);

}  // namespace inlet
