#pragma once

// What the backward-facing step is judged by, from the settled case: where the flow
// reattaches behind the step (the wall shear stress on the floor changing sign), the skin
// friction along the floor and the velocity profiles at the stations, each taken from what the
// solver wrote, as the passage's figures are.
//
//   U_ref  the largest velocity at x = -4 h (the core's), m/s
//   Cf     = tau_w / (U_ref^2 / 2), tau_w the kinematic wall shear stress along the flow,
//          positive where the flow near the wall runs downstream
//   x_r    the last point behind the step where Cf turns from negative to positive

#include "openfoam/StepCase.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace inlet::cfd {

struct WallShear {
    double x = 0;      // m
    double shear = 0;  // tau_w, positive along the flow
};

// Where the last stretch of reversed shear ends, interpolated between the points (which run
// downstream); none when no point is reversed or the last one is.
std::optional<double> reattachment(const std::vector<WallShear>& floor);

struct StationProfile {
    double station = 0;      // x / h
    double reversedTop = 0;  // y / h below which the flow runs back (0: none)
    double smallest = 0;     // the least u / U_ref
};

struct StepFigures {
    double referenceVelocity = 0;  // U_ref, m/s
    double reynolds = 0;           // U_ref h / nu
    double boundaryLayer = 0;      // delta_99 / h at x = -4 h, on the lower wall
    double frictionBefore = 0;     // Cf at x = -4 h
    std::optional<double> reattachment;  // x_r / h
    double frictionLeast = 0;      // the least Cf behind the step
    double frictionLeastAt = 0;    // its x / h
    std::vector<StationProfile> profiles;  // behind the step
};

// Runs OpenFOAM's wallShearStress on the floor at the latest time of the case in `dir`
// (log.stepWall) and takes the figures; throws a Failure (stage Evaluate) when it fails.
StepFigures stepFigures(const Step& step, const FlowCase& flowCase, const std::filesystem::path& dir, int latest);

}  // namespace inlet::cfd
