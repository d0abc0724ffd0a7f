#include "openfoam/StepCase.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <sstream>

namespace inlet::cfd {

namespace {

std::string num(double v)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 9).ptr;
    return std::string(buffer, end);
}

// Cells along a block edge of `length` that start at `first` next to the step or the wall and
// grow by about `growth` each: their number, and the ratio of the last to the first as
// blockMesh takes it.
struct Grading {
    int cells = 1;
    double ratio = 1;
};

Grading graded(double length, double first, double growth)
{
    Grading g;
    g.cells = std::max(1, static_cast<int>(std::ceil(std::log(1 + length * (growth - 1) / first) / std::log(growth))));
    // The growth that fills the length with that many cells exactly.
    double lo = 1, hi = 2 * growth;
    for (int i = 0; i < 100; ++i) {
        const double r = (lo + hi) / 2;
        const double filled = first * (std::pow(r, g.cells) - 1) / (r - 1);
        (filled > length ? hi : lo) = r;
    }
    g.ratio = std::pow((lo + hi) / 2, g.cells - 1);
    return g;
}

// A rectangle's two triangles, its corners counter-clockwise seen from outside the fluid.
void quad(Surface& s, Vec3 a, Vec3 b, Vec3 c, Vec3 d)
{
    s.triangles.push_back({a, b, c});
    s.triangles.push_back({a, c, d});
}

}  // namespace

int stepCellsAcross(int cells)
{
    return std::max(4, static_cast<int>(std::lround(std::sqrt(std::max(cells, 0)) / 16)));
}

std::string stationName(double station)
{
    std::ostringstream s;
    s << "x" << station;
    return s.str();
}

FlowCase stepCase(const Step& step, int across)
{
    const double h = step.height, depth = h;
    const double x0 = -step.upstream * h, x2 = step.downstream * h;
    const double y1 = h, y2 = (step.channel + 1) * h;
    FlowCase c;
    c.title = "backward-facing step";

    // The boundary, for the case's extent and its inlet velocity; the mesh is the blocks'.
    Surface inlet{"inlet", false, {}}, outlet{"outlet", false, {}}, lower{"lowerWall", true, {}},
        upper{"upperWall", true, {}}, sides{"frontAndBack", false, {}};
    quad(inlet, {x0, y1, 0}, {x0, y1, depth}, {x0, y2, depth}, {x0, y2, 0});
    quad(outlet, {x2, 0, 0}, {x2, y2, 0}, {x2, y2, depth}, {x2, 0, depth});
    quad(lower, {x0, y1, 0}, {0, y1, 0}, {0, y1, depth}, {x0, y1, depth});
    quad(lower, {0, 0, 0}, {0, y1, 0}, {0, y1, depth}, {0, 0, depth});
    quad(lower, {0, 0, 0}, {x2, 0, 0}, {x2, 0, depth}, {0, 0, depth});
    quad(upper, {x0, y2, 0}, {x0, y2, depth}, {x2, y2, depth}, {x2, y2, 0});
    for (const auto& [xa, xb, ya] : {std::array<double, 3>{x0, 0, y1}, std::array<double, 3>{0, x2, 0}}) {
        quad(sides, {xa, ya, 0}, {xa, y2, 0}, {xb, y2, 0}, {xb, ya, 0});
        quad(sides, {xa, ya, depth}, {xb, ya, depth}, {xb, y2, depth}, {xa, y2, depth});
    }
    c.surfaces = {inlet, outlet, lower, upper, sides};
    c.inside = {-2 * h, 4 * h, depth / 2};
    c.viscosity = step.viscosity;
    c.flow = step.velocity * step.channel * h * depth;
    c.inletHydraulicDiameter = 2 * step.channel * h;  // between parallel walls
    c.inletIntensity = step.intensity;
    c.outletVelocity = step.velocity * step.channel / (step.channel + 1);
    c.outletDiameter = 2 * (step.channel + 1) * h;

    // The blocks: before the step (A), above the step's height after it (B), below it (C).
    // Cells of h / across at the step's edge, at the walls and through the step's height,
    // growing away from them the slower the finer the mesh, so that each level refines the
    // whole channel alike.
    const double first = h / across;
    const Grading upstream = graded(-x0, first, 1 + 0.4 / across);
    const Grading downstream = graded(x2, first, 1 + 0.2 / across);
    const Grading half = graded(step.channel * h / 2, first, 1 + 0.6 / across);
    std::ostringstream m;
    m << "convertToMeters 1;\n\nvertices\n(\n";
    const double xs[8] = {x0, 0, 0, x0, x2, x2, 0, x2}, ys[8] = {y1, y1, y2, y2, y1, y2, 0, 0};
    for (const double z : {0.0, depth})
        for (int i = 0; i < 8; ++i)
            m << "    (" << num(xs[i]) << " " << num(ys[i]) << " " << num(z) << ")\n";
    const std::string channel = "((0.5 0.5 " + num(half.ratio) + ") (0.5 0.5 " + num(1 / half.ratio) + "))";
    m << ");\n\nblocks\n(\n"
      << "    hex (0 1 2 3 8 9 10 11) (" << upstream.cells << " " << 2 * half.cells << " 1) simpleGrading ("
      << num(1 / upstream.ratio) << " " << channel << " 1)\n"
      << "    hex (1 4 5 2 9 12 13 10) (" << downstream.cells << " " << 2 * half.cells << " 1) simpleGrading ("
      << num(downstream.ratio) << " " << channel << " 1)\n"
      << "    hex (6 7 4 1 14 15 12 9) (" << downstream.cells << " " << across << " 1) simpleGrading ("
      << num(downstream.ratio) << " 1 1)\n"
      << ");\n\nedges ();\n\nboundary\n(\n"
      << "    inlet { type patch; faces ((0 8 11 3)); }\n"
      << "    outlet { type patch; faces ((4 5 13 12) (7 4 12 15)); }\n"
      << "    lowerWall { type wall; faces ((0 1 9 8) (1 6 14 9) (6 7 15 14)); }\n"
      << "    upperWall { type wall; faces ((3 2 10 11) (2 5 13 10)); }\n"
      << "    frontAndBack { type empty; faces ((0 3 2 1) (1 2 5 4) (6 1 4 7) (8 9 10 11) (9 12 13 10) (14 15 12 9)); }\n"
      << ");\n";
    c.blockMesh = m.str();

    // The sections: the channel's whole height at each station.
    for (const double station : step.stations) {
        const double bottom = station < 0 ? y1 : 0;
        const double height = y2 - bottom;
        Section s;
        s.name = stationName(station);
        s.caption = "x/h " + num(station);
        s.point = {station * h, (bottom + y2) / 2, depth / 2};
        s.normal = {1, 0, 0};
        s.radius = std::hypot(height / 2, depth / 2) * 1.001;  // the whole rectangle
        s.area = height * depth;
        c.sections.push_back(s);
    }
    return c;
}

}  // namespace inlet::cfd
