#pragma once

// The validation case: a straight round pipe along z, long enough for the flow to develop
// fully, whose friction loss and velocity profile are compared with published correlations.

#include "openfoam/FlowCase.h"

namespace inlet::cfd {

struct Pipe {
    double diameter = 0.1;   // D, m
    double length = 6.0;     // L, m (60 D)
    double velocity = 1.0;   // mean velocity U, m/s: Re = U D / nu = 100,000 in water
    double viscosity = 1.0e-6;
    // The friction loss is measured between these two sections, as distances from the inlet
    // in diameters, where the flow has developed.
    double from = 40, to = 55;
};

// The pipe with its boundary as surfaces "inlet" (z = 0), "outlet" (z = L) and "wall", and
// the two sections "upstream" and "downstream".
FlowCase pipeCase(const Pipe& pipe, int segments = 48);

}  // namespace inlet::cfd
