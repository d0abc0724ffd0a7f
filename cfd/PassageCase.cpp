#include "PassageCase.h"

#include <cmath>
#include <numbers>

namespace inlet::cfd {

FlowCase passageCase(const Passage& p)
{
    FlowCase c;
    c.title = "passage";
    c.surfaces = p.surfaces;
    for (Surface& s : c.surfaces)
        s.wall = s.name != "inlet" && s.name != "outlet";
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
    c.sections = {
        {"cone_inlet", "cone inlet", {0, 0, p.coneInletHeight + kConeInletOffset * p.pumpInletDiameter}, {0, 0, 1},
         p.coneInletRadius},
        {"pump_inlet", "pump inlet section", {0, 0, p.pumpInletHeight}, {0, 0, 1}, r, p.coneTopDiameter / 2},
    };
    return c;
}

}  // namespace inlet::cfd
