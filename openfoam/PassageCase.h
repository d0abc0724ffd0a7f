#pragma once

// The flow through an inlet passage: the water enters the passage inlet at the design flow,
// turns through the volute into the bell-mouth pipe and leaves through the pipe carried on
// above the pump inlet section, where the pressure is fixed. The figures are taken at the
// cone inlet and at the pump inlet section.

#include "openfoam/FlowCase.h"

namespace inlet::cfd {

struct Passage {
    // The boundary in metres, one surface per wall: inlet, outlet, floor, outer_wall, roof,
    // bell, guide_cone (the pipe above the pump inlet section belongs to the bell), and hub
    // where the pump's hub is modelled.
    std::vector<Surface> surfaces;
    double flow = 0;               // Q, m^3/s
    double coneInletHeight = 0;    // H1 + H2, m
    double pumpInletHeight = 0;    // H, m
    double pumpInletDiameter = 0;  // m
    double coneInletRadius = 0;    // m, the pipe's at the cone inlet section (kConeInletOffset above H1 + H2)
    double coneTopDiameter = 0;    // dd0, m, the guide cone's flat top
    double outletHeight = 0;       // the top of the pipe carried on, m
    double inletWidth = 0;         // B, m
    double inletHeight = 0;        // hk, m
    double hubDiameter = 0;        // m, the hub's from the pump inlet section up (a surface "hub"), or 0
};

// The pipe is carried on this many pump inlet diameters above the pump inlet section, unless
// the run says otherwise: two keep the fixed outlet pressure out of the pump inlet's figures
// (docs/flow.md has what one or three change).
inline constexpr double kOutletExtension = 2.0;

// The guide cone's top lies in the cone inlet's plane: that section is taken this many pump
// inlet diameters above it, in the water.
inline constexpr double kConeInletOffset = 0.02;

// The pump inlet section's figures are given over the whole pipe and over the annulus outside
// the guide cone's top (r > dd0/2), whose wake fills the circle within: a pump's hub or nose
// would stand there, and a reviewer sees what the wake does to the figures.

FlowCase passageCase(const Passage& passage);

}  // namespace inlet::cfd
