#pragma once

// The flow through the passage of a design: its OpenFOAM case built on the passage's solid and
// written into a folder with the design beside it, and the record a design file keeps of what
// the case gave (the settings, the texts it was computed for, the figures). The command line
// and the window run the case through cfd::runCase.

#include "openfoam/FlowCase.h"
#include "openfoam/FlowResult.h"

#include <QJsonObject>

#include <optional>
#include <string>

namespace inlet {

struct Calculation;
struct Design;

struct FlowOptions {
    std::string dir;
    bool run = false;
    int processes = 1;
    cfd::MeshLevel level = cfd::MeshLevel::Coarse;
    std::optional<int> cells;  // background cells, instead of the level's
    int iterations = 1000;
    bool force = false;
    bool local = false;        // a study runs here, one case after another, even where Slurm is
    std::optional<double> passageLength;  // mm from the pump axis to the passage inlet; else the L box's
    // The case's own inputs. mm the pipe runs on straight above the pump inlet section to the
    // outlet, else cfd::kOutletExtension pump inlet diameters; the walls' equivalent sand
    // roughness Ks in mm (0: smooth); the pump's hub, a cylinder of this diameter in mm from the
    // pump inlet section up through the outlet, else none.
    std::optional<double> outletExtension;
    double roughness = 0;
    std::optional<double> hubDiameter;
};

// The background cells the options ask for, and the mesh's name: the level's, or "cells".
int cellsFor(const FlowOptions& options);
std::string levelText(const FlowOptions& options);
// The options' mesh and solver settings given to a case.
void applySettings(cfd::FlowCase& flowCase, const FlowOptions& options);

// The case of a design: its boundary from the passage's solid. Throws a Failure (at
// FlowStage::Case) saying why there is none.
cfd::FlowCase passageFlowCase(const Calculation& calculation, const Design& design, const FlowOptions& options);

// One line saying what the case of a design is (the texts of the boxes the flow is computed
// from, flowInputBoxes(); the passage length; the mesh): a folder holding a case of the same
// line resumes it.
std::string caseSignature(const Design& design, const FlowOptions& options);
// The line options.dir is compared with: caseSignature(), or the line an earlier version wrote
// for this design where the folder holds the case of that line (so that it resumes).
std::string folderSignature(const Design& design, const FlowOptions& options);

// The case of a design with the options' mesh and solver settings, written into options.dir
// (with the design as design.inlet) unless that folder holds it already. Throws a Failure (at
// FlowStage::Case) saying why it cannot be.
cfd::FlowCase writeDesignCase(const Calculation& calculation, const Design& design, const FlowOptions& options);

// What a run found, as --json prints it and a design file keeps it: status, mesh, iterations,
// residuals and, once settled, the wall y+, the flow and each section's figures.
QJsonObject flowResultObject(const cfd::FlowResult& result);

// The flow as a design file keeps it under "flow": the result with the settings and the
// design's texts it was computed for (shown as the design's only while the boxes the flow is
// computed from hold them, FlowRecord.h).
QJsonObject flowRecord(const cfd::FlowResult& result, const FlowOptions& options, const Design& design);

}  // namespace inlet
