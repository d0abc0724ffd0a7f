#pragma once

// Runs a written case through its stages: the mesh (blockMesh, surfaceFeatureExtract,
// snappyHexMesh, and checkMesh, whose non-orthogonality and skewness must be within the
// figures' limits, MeshCheck.h), the decomposition, the solver with the figures evaluated as it goes, and the
// last evaluation (sections and wall y+). Each stage that is done already is kept, so that a
// stopped or cancelled run resumes where it stopped. Logs stay in the case folder (log.*).
//
// The solver stops when every figure (Vu, theta and the head loss at each section) has
// changed by less than the settling tolerance over the settling window, or at the iteration
// limit. It is stopped as diverged when a residual is not finite or the largest speed passes
// 100 times the inlet's mean velocity.

#include "openfoam/FlowCase.h"
#include "openfoam/FlowResult.h"
#include "openfoam/SolverLog.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace inlet::cfd {

struct Progress {
    FlowStage stage = FlowStage::Mesh;
    const Iteration* iteration = nullptr;   // the last complete iteration while solving
    const FlowResult* figures = nullptr;    // the figures at the last evaluation, while solving
};

struct RunControl {
    std::function<void(const Progress&)> progress;
    std::function<bool()> cancelled;  // polled about twice a second
};

// Whether OpenFOAM's programs are on PATH; when not, the failure that says what to do about it
// (FlowNoOpenFoam).
std::optional<Failure> openFoamMissing();

// The environment OpenFOAM's programs need (Debian's openfoam package).
std::vector<std::pair<std::string, std::string>> openFoamEnvironment();

// Runs the case in `dir` (written by writeCase for `flowCase`) and writes DIR/results.
// Never throws for a failing program: the result's failure says the stage and the reason. More
// processes than the cores here and the mesh's cells allow fail as FlowTooManyProcesses, before
// the decomposition.
FlowResult runCase(const FlowCase& flowCase, const std::filesystem::path& dir, const RunControl& control);

// The figures of each evaluation written in DIR/postProcessing/sections so far, by iteration.
std::map<int, FlowResult> evaluationsSoFar(const FlowCase& flowCase, const std::filesystem::path& dir);
// Adds the evaluations written since `evaluations` was last brought up to date.
void updateEvaluations(const FlowCase& flowCase, const std::filesystem::path& dir, std::map<int, FlowResult>& evaluations);

// Whether the figures have settled: each has changed by less than `tolerance` of its value
// between the last evaluation and the latest one at least `window` iterations before it.
bool settled(const std::map<int, FlowResult>& evaluations, int window, double tolerance);

// The evaluations after iteration `from` up to `to`, averaged: the last one's result with each
// section's Vu, theta, theta_s and loss replaced by their means over them and their bands (the
// least and most each took); nothing where those evaluations are fewer than two or do not all
// hold the same sections.
std::optional<FlowResult> averaged(const std::map<int, FlowResult>& evaluations, int from, int to);

// Whether the figures' means have settled where the figures themselves swing: the means over
// the last `window` iterations and over the `window` before them, each of as many evaluations,
// differ by less than `tolerance` of their value for every figure (Vu, theta and the loss of
// every section).
bool settledOnAverage(const std::map<int, FlowResult>& evaluations, int window, double tolerance);

// How the figures of a run stand: not settled yet, held steady (settled with the solver's
// settleWindow and settleTolerance: the last evaluation's figures are the result) or, failing
// that, settled on their means (settledOnAverage with averageWindow and averageTolerance: the
// means over the last averageWindow iterations are the result, with their bands).
enum class Settling { NotYet, Steady, OnAverage };
Settling settling(const std::map<int, FlowResult>& evaluations, const SolverSettings& solver);

}  // namespace inlet::cfd
