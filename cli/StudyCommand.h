#pragma once

// inlet-calc --vary NAME=FROM:TO:COUNT ... --study DIR [--optimise min-B|min-volume|min-loss|...]: the
// variants of a design evaluated side by side (方案比选), each kept as DIR/variants/NNN.inlet,
// the figures gathered in DIR/study.csv and DIR/study.xlsx; and the best of them searched for.

#include "document/DesignFile.h"
#include "flow/DesignFlow.h"
#include "messages/Failure.h"
#include "calc/NumberLocale.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace inlet {

struct StudyOptions {
    std::string dir;
    std::vector<std::string> vary;      // the --vary texts, in the order given
    int samples = 0;                    // Latin-hypercube samples; 0: the grid
    std::uint64_t seed = 1;
    bool solid = false;                 // --evaluate solid
    bool flow = false;                  // --evaluate flow: the checks' figures and each variant's flow
    FlowOptions flowOptions;            // its mesh, processes, iterations, --local
    bool slurm = false;                 // --slurm: the cases through Slurm, or a failure without it
    std::optional<std::string> optimise;  // the figure: B or volume minimised; loss, vu, theta
    std::vector<std::string> require;   // the --require texts
    std::optional<double> passageLength;  // --length, mm, for the solid
    bool force = false;
    bool progress = false;              // --progress: progress lines on standard error
};

// Checks what parsing alone can: each --vary and --require, the inputs' number, the
// optimiser's presence. Throws CommandLineError (status 2).
void checkStudyOptions(const StudyOptions& study);

// Runs the study of `design`'s variants. Prints the study's summary and, with --optimise, the
// best design. Throws CommandLineError: status 2 for a folder of another study, 1 where a file
// cannot be written or no variant holds every constraint.
int runStudy(const StudyOptions& study, const Design& design, std::ostream& out, std::ostream& err,
             const NumberLocale& locale, Language language);

}  // namespace inlet
