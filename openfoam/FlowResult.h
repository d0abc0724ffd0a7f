#pragma once

// What a flow computation found, kept in the case folder as `results` (one `key value` per
// line) so that a study can gather it and a design file can carry it.

#include "messages/Failure.h"
#include "openfoam/FlowFigures.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace inlet::cfd {

enum class RunStatus {
    Settled,         // the figures held over the settling window: they may be shown
    IterationLimit,  // the limit came first: no figure is shown
    Cancelled,       // stopped on request, resumable
    Failed,          // a program failed or the solution diverged: `failure` says which, and where
};

const char* statusName(RunStatus status);

// The least and the most a figure took over the iterations it was averaged over.
struct Band {
    double low = 0, high = 0;
};

struct SectionResult {
    std::string name;
    std::string caption;
    SectionFigures figures;
    double headLoss = 0;  // m, from the passage inlet to this section
    // Where the result is averaged (FlowResult::averagedFrom), Vu, theta, theta_s and the loss are
    // the means over the evaluations of the settling window, and these their bands there.
    Band uniformityBand{}, angleBand{}, lossBand{};
    // theta_s's band there; none in results kept before it was (their band lines end sooner).
    std::optional<Band> swirlAngleBand;
};

struct FlowResult {
    RunStatus status = RunStatus::Failed;
    std::optional<Failure> failure;  // why it failed, with the stage (Failed only)
    std::string level;   // the mesh level's name, or "cells"
    int cells = 0;       // of the mesh
    int processes = 1;
    int iterations = 0;
    double flow = 0;     // Q given, m^3/s
    std::map<std::string, double> residuals;  // the last iteration's initial residuals
    SectionFigures inlet;
    std::vector<SectionResult> sections;
    double yPlusMin = 0, yPlusMax = 0, yPlusMean = 0;  // over the walls, the mean area-weighted
    double yPlusInRange = 0;  // the share of the wall area with 30 <= y+ <= 300
    double nonOrthogonality = 0, skewness = 0;  // the mesh's largest, as checkMesh found them
    // checkMesh's figures are known: an orthogonal mesh of blocks has a non-orthogonality of 0.
    bool meshChecked = false;
    double seconds = 0;       // wall-clock time of the run
    // The iterations over which the sections' Vu, theta, theta_s and loss are means (the
    // evaluations after averagedFrom up to averagedTo); 0 and 0: the last evaluation's own.
    int averagedFrom = 0, averagedTo = 0;

    const SectionResult* section(const std::string& name) const;
};

// Saves the result as `file`; throws a Failure (CannotWrite, ...) where it cannot.
void writeResult(const FlowResult& result, const std::filesystem::path& file);
// Throws a Failure (CannotOpen) when the file cannot be read. A failure kept by another
// version of the program reads back as FlowEarlierFailure.
FlowResult readResult(const std::filesystem::path& file);

}  // namespace inlet::cfd
