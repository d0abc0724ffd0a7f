#include "openfoam/PipeCase.h"

#include <cmath>
#include <numbers>

namespace inlet::cfd {

FlowCase pipeCase(const Pipe& pipe, int segments)
{
    FlowCase c;
    c.title = "pipe";
    const double r = pipe.diameter / 2;
    const double length = pipe.length;
    Surface inlet{"inlet", false, {}}, outlet{"outlet", false, {}}, wall{"wall", true, {}};
    const Vec3 bottom{0, 0, 0}, top{0, 0, length};
    for (int i = 0; i < segments; ++i) {
        const double a0 = 2 * std::numbers::pi * i / segments, a1 = 2 * std::numbers::pi * (i + 1) / segments;
        const Vec3 p0{r * std::cos(a0), r * std::sin(a0), 0}, p1{r * std::cos(a1), r * std::sin(a1), 0};
        const Vec3 q0 = p0 + top, q1 = p1 + top;
        inlet.triangles.push_back({bottom, p1, p0});  // facing -z, out of the fluid
        outlet.triangles.push_back({top, q0, q1});
        wall.triangles.push_back({p0, p1, q1});
        wall.triangles.push_back({p0, q1, q0});
    }
    c.surfaces = {inlet, outlet, wall};
    c.inside = {r / 3.1, r / 4.3, length / 2.07};  // off the axis and the background's cell faces
    c.viscosity = pipe.viscosity;
    c.flow = pipe.velocity * std::numbers::pi * r * r;
    c.inletHydraulicDiameter = pipe.diameter;
    c.outletVelocity = pipe.velocity;
    c.outletDiameter = pipe.diameter;
    c.sections = {
        {"upstream", "upstream section", {0, 0, pipe.from * pipe.diameter}, {0, 0, 1}, r},
        {"downstream", "downstream section", {0, 0, pipe.to * pipe.diameter}, {0, 0, 1}, r},
    };
    return c;
}

}  // namespace inlet::cfd
