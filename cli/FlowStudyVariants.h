#pragma once

// The flow's depth of a study of variants (inlet-calc --study DIR --evaluate flow): each
// variant's OpenFOAM case in DIR/cases/NNN, run here one after another or through Slurm as one
// job array, its figures at the pump inlet as columns of the study's table; and the flow-based
// objectives (--optimise min-loss|max-vu|max-theta), searched on a response surface fitted to
// the settled variants and confirmed by one more flow run in DIR/cases/best.

#include "cli/StudyProgress.h"
#include "document/DesignFile.h"
#include "flow/DesignFlow.h"
#include "openfoam/FlowResult.h"
#include "study/Requirement.h"
#include "study/StudyPlan.h"
#include "study/VariantEvaluation.h"
#include "study/VariedInput.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace inlet {

// What the flow of one variant came to: its result, or why there is none (the variant did
// not compute, its case could not be written, its run left no results).
struct FlowVariant {
    std::optional<cfd::FlowResult> result;
    std::optional<Failure> failure;
    std::string errorText;  // else the variant's own failure, as its row words it
    std::string noResult;  // the status word without a result: "no case" or "not run"
    Design design;         // the variant's, for the verdict's record
    std::filesystem::path caseDir;
};

// Whether the objective (as StudyOptions keeps it) is a flow figure: loss, vu, theta.
bool flowObjective(const std::string& objective);

// The table's columns of the flow, after the checks' (names stable: scripts and the study
// window read them): flow_status, Vu_pump_inlet, theta_pump_inlet, theta_swirl_pump_inlet,
// loss_pump_inlet, backflow_area_pump_inlet, backflow_flow_pump_inlet, flow_verdict,
// flow_uncertainty, flow_verdict_reasons, flow_error; and whether each is a number.
const std::vector<std::string>& flowColumnTitles();
std::vector<bool> flowColumnNumbers();
// The cells of a variant: the status and verdict words the same in both languages, the
// reasons and the error in `language`.
std::vector<std::string> flowColumnCells(const FlowVariant& variant, const FlowOptions& options,
                                         const NumberLocale& locale, Language language);

// Whether the cases run through Slurm: --slurm, or neither --local nor --slurm and sbatch is
// found. Throws CommandLineError (status 1, StudySlurmMissing) for --slurm without sbatch.
bool flowStudyThroughSlurm(const FlowOptions& options, bool slurm);

// The flow of each variant (`failures[i]`: it did not compute, its row's words why): each
// case written in DIR/cases/NAME (an out-of-date one replaced), run unless its results are
// there (settled or at the iteration limit), here or through Slurm. Returns one per variant.
// Two steps of `progress` a variant: its case written (or none to write), its run ended (or
// kept, or none to run).
std::vector<FlowVariant> evaluateFlowVariants(const std::filesystem::path& dir, const std::vector<Design>& designs,
                                              const std::vector<std::string>& names,
                                              const std::vector<std::optional<std::string>>& failures,
                                              const FlowOptions& options, bool slurm, std::ostream& err,
                                              const NumberLocale& locale, Language language, StudyProgress& progress);

// What the flow optimisation needs of the study.
struct FlowOptimisation {
    std::string objective;  // loss, vu or theta
    std::vector<VariedInput> inputs;
    std::vector<VariantValues> values;   // each variant's
    std::vector<VariantFigures> checks;  // each variant's checks' figures
    std::vector<Requirement> requirements;
    std::function<Design(const VariantValues&)> designOf;
    std::function<VariantFigures(const VariantValues&)> evaluate;  // the checks of a point
    std::vector<std::string> labels;     // each variant as a message names it
    std::vector<std::string> warned;     // each variant's warned checks, "name:subject; ..."
};

// Fits the surface to the settled variants, searches it, runs the suggested design's flow in
// DIR/cases/best and appends to `text` the lines surface<TAB>... and best<TAB>... (predicted
// against computed); saves DIR/best.inlet with its flow. Throws CommandLineError (status 1):
// too few settled variants for a surface, none holding every constraint, a confirming run that
// does not settle (no best.inlet then), a file that cannot be written.
// One step of `progress`: the confirming run ended.
void optimiseOnFlow(const FlowOptimisation& study, const std::vector<FlowVariant>& flows, const FlowOptions& options,
                    bool slurm, const std::filesystem::path& dir, std::string& text, std::ostream& err,
                    const NumberLocale& locale, Language language, StudyProgress& progress);

}  // namespace inlet
