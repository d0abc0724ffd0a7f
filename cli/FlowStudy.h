#pragma once

// inlet-calc --csv FILE --cfd-study DIR: one flow case per design of a batch, run through Slurm
// as a job array where sbatch is found (each case with its own MPI ranks), else here one
// after another; the figures gathered into one CSV: the batch's columns (the design, the 24
// results, the checks, the error) and the flow's.

#include "boxes/BoxTexts.h"
#include "cli/FlowCommand.h"
#include "calc/NumberLocale.h"

#include <iosfwd>
#include <string>

namespace inlet {

// Whether a study goes through Slurm: sbatch is found and --local was not given.
bool studyThroughSlurm(const FlowOptions& options);

// Messages, and the flow's error column, in `language`; the status words stay the same. Throws
// CommandLineError: status 2 for more processes than this machine allows where the cases run
// here, 1 where a file of the study cannot be saved or sbatch refuses the job.
void runFlowStudy(std::istream& in, const std::string& source, const BoxTexts& defaults, const FlowOptions& options,
                  std::ostream& out, std::ostream& err, const NumberLocale& locale, Language language);

}  // namespace inlet
