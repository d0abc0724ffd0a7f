#include "openfoam/FlowCase.h"

#include "openfoam/Friction.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace inlet::cfd {

double enclosedVolume(const std::vector<Surface>& surfaces)
{
    double six = 0;
    for (const Surface& s : surfaces)
        for (const Triangle& t : s.triangles)
            six += dot(t[0], cross(t[1], t[2]));
    return six / 6;
}

std::array<Vec3, 2> bounds(const std::vector<Surface>& surfaces)
{
    constexpr double big = std::numeric_limits<double>::max();
    Vec3 lo{big, big, big}, hi{-big, -big, -big};
    for (const Surface& s : surfaces)
        for (const Triangle& t : s.triangles)
            for (const Vec3& v : t) {
                lo = {std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z)};
                hi = {std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z)};
            }
    return {lo, hi};
}

double inletVelocity(const FlowCase& flowCase)
{
    double area = 0;
    for (const Surface& s : flowCase.surfaces)
        if (s.name == "inlet")
            for (const Triangle& t : s.triangles)
                area += norm(cross(t[1] - t[0], t[2] - t[0])) / 2;
    return area > 0 ? flowCase.flow / area : 0;
}

namespace {

struct Level {
    MeshLevel level;
    const char* name;
    int cells;
};

constexpr Level kLevels[] = {
    {MeshLevel::Tiny, "tiny", 4000},
    {MeshLevel::Coarse, "coarse", 60000},
    {MeshLevel::Medium, "medium", 150000},
    {MeshLevel::Fine, "fine", 400000},
};

}  // namespace

const char* levelName(MeshLevel level)
{
    for (const Level& l : kLevels)
        if (l.level == level)
            return l.name;
    return "";
}

bool parseLevel(const std::string& name, MeshLevel& level)
{
    for (const Level& l : kLevels)
        if (name == l.name) {
            level = l.level;
            return true;
        }
    return false;
}

int levelCells(MeshLevel level)
{
    for (const Level& l : kLevels)
        if (l.level == level)
            return l.cells;
    return 0;
}

MeshSettings meshFor(const FlowCase& flowCase, int cells)
{
    MeshSettings m;
    m.cellSize = std::cbrt(enclosedVolume(flowCase.surfaces) / std::max(cells, 1));
    m.expansion = kLayerExpansion;
    m.refined = cells >= kLeastRefinedCells;
    m.featureLevel = m.refined ? 1 : 0;
    // The wall cell's thickness that puts its centre at y+ = 95, the middle of 30 to 300 on a
    // logarithmic scale, at the velocity halfway (geometrically) between the slowest and
    // fastest mean velocities of the case, with the friction of a smooth pipe of the outlet's
    // diameter (Colebrook-White).
    const double velocity = std::sqrt(inletVelocity(flowCase) * flowCase.outletVelocity);
    const double reynolds = velocity * flowCase.outletDiameter / flowCase.viscosity;
    const double friction = colebrookWhite(std::max(reynolds, 4000.0));
    const double frictionVelocity = velocity * std::sqrt(friction / 8);
    constexpr double yPlus = 95;
    const double wanted = 2 * yPlus * flowCase.viscosity / frictionVelocity;
    // Thin layers from the wanted first cell: the coarse passage (h 126 mm, wanted 2.6 mm) has
    // 8, ending at 2.6 * 1.3^7 = 16 mm, where the core's cell is 126 mm (63 mm at the refined
    // bell and guide cone). Layers sized by each wall's own cells instead (4, growing 1.2 to
    // 0.7 of the cell beside them: the first at 51 mm, y+ near 1,900) matched the core, but
    // with them the steady solver never settled: the pump inlet's Vu wandered over 64-74 %
    // and its loss over 0.068-0.088 m for 1,000 iterations (pressure residual near 2e-2),
    // where these layers settle in about 500 iterations (docs/flow.md, "What
    // settles the refined coarse run").
    m.firstLayer = std::min(wanted, kLastLayerShare * m.cellSize);
    m.layers = 1;
    for (double last = m.firstLayer; last * m.expansion < kLastLayerShare * m.cellSize && m.layers < kMostLayers;
         last *= m.expansion)
        ++m.layers;
    return m;
}

}  // namespace inlet::cfd
