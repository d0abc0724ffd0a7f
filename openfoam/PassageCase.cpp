#include "openfoam/PassageCase.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace inlet::cfd {

FlowCase passageCase(const Passage& p)
{
    FlowCase c;
    c.title = "passage";
    c.surfaces = p.surfaces;
    for (Surface& s : c.surfaces) {
        s.wall = s.name != "inlet" && s.name != "outlet";
        // The bell mouth turns the flow into the pipe and the guide cone's top sheds the wake
        // the pump inlet sees: their cells are half the background's.
        s.level = s.name == "bell" || s.name == "guide_cone" ? 1 : 0;
    }
    const double r = p.pumpInletDiameter / 2;
    // In the pipe above the pump inlet section, off the axis; around the hub where there is one.
    c.inside = {0.11 * r, 0.07 * r, (p.pumpInletHeight + p.outletHeight) / 2};
    if (p.hubDiameter > 0) {
        const double away = (p.hubDiameter / 2 + r) / 2 / std::hypot(0.11 * r, 0.07 * r);
        c.inside = {0.11 * r * away, 0.07 * r * away, c.inside.z};
    }
    c.flow = p.flow;
    c.inletHydraulicDiameter = 2 * p.inletWidth * p.inletHeight / (p.inletWidth + p.inletHeight);
    c.outletDiameter = p.pumpInletDiameter;
    c.outletVelocity = p.flow / (std::numbers::pi * r * r);
    c.axis = {0, 0, 1};
    // The pipe where the figures are taken, from a quarter of Ds below the guide cone's top to
    // half of Ds above the pump inlet section, in cells half the background's.
    const double coneInletZ = p.coneInletHeight + kConeInletOffset * p.pumpInletDiameter;
    c.zones = {{"pump_inlet", {0, 0, p.coneInletHeight - 0.25 * p.pumpInletDiameter},
                {0, 0, p.pumpInletHeight + 0.5 * p.pumpInletDiameter},
                std::max(p.coneInletRadius, r) + 0.1 * p.pumpInletDiameter, 1}};
    c.sections = {
        {"cone_inlet", "cone inlet", {0, 0, coneInletZ}, {0, 0, 1},
         p.coneInletRadius},
        {"pump_inlet", "pump inlet section", {0, 0, p.pumpInletHeight}, {0, 0, 1}, r},
    };
    // The pump inlet's figures over the annulus outside the guide cone's top as well.
    c.sections[1].annulusInner = p.coneTopDiameter / 2;
    // Around a hub the pump inlet section is the ring between it and the pipe's wall.
    c.sections[1].innerRadius = p.hubDiameter / 2;
    return c;
}

}  // namespace inlet::cfd
