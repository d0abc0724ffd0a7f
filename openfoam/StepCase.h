#pragma once

// The separated-flow validation case: the backward-facing step of Driver and Seegmiller
// (AIAA J. 23 (1985) 163-171), as the NASA Turbulence Modeling Resource sets it up (case
// 2DBFS): a channel 8 h high that steps down by h to 9 h (expansion ratio 1.125), air at
// 44.2 m/s over a step of 12.7 mm, Re_h about 37,400. The channel is two-dimensional, so it
// is meshed by blocks (one cell deep, front and back `empty`) and solved with the passage's
// turbulence model, schemes and solver settings. x runs along the flow from the step's edge,
// y up from the floor behind the step, z across the span.

#include "openfoam/FlowCase.h"

#include <vector>

namespace inlet::cfd {

struct Step {
    double height = 0.0127;     // h, m
    double upstream = 130;      // the inlet at x = -upstream h: the walls' boundary layers grow
                                // from it to about 1.5 h at x = -4 h, as in the experiment
    double downstream = 40;     // the outlet at x = downstream h
    double channel = 8;         // the channel's height before the step, in h (9 h after it)
    double velocity = 41.5;     // m/s, entering uniformly: the core between the walls' boundary
                                // layers runs at the experiment's 44.2 m/s by x = -4 h
    double intensity = 0.001;   // the turbulence entering: the wind tunnel's quiet core
    double viscosity = 1.5e-5;  // air, m^2/s
    // Where the velocity profiles are taken (x / h), as the experiment's stations.
    std::vector<double> stations{-4, 1, 4, 6, 10};
};

// The mesh's fineness: cells across the step's height, from a level's cell count N as the
// other cases take it, sqrt(N) / 16 rounded, at least 4 (tiny 4, coarse 15, medium 24, fine 40).
int stepCellsAcross(int cells);

// The case, meshed by blocks with `across` cells over the step's height; its surfaces are
// "inlet", "outlet", "lowerWall" (the floor before the step, the step's face and the floor
// after it), "upperWall" and "frontAndBack", its sections "x-4", "x1", ... at the stations.
FlowCase stepCase(const Step& step, int across);

// A section's name for a station: "x-4", "x1", ...
std::string stationName(double station);

}  // namespace inlet::cfd
