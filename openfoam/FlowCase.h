#pragma once

// A flow computation as the solver is given it: the boundary as named surfaces, the flow, the
// sections to evaluate, the mesh fineness and the solver's settings. Lengths in metres.

#include "openfoam/FlowFigures.h"

#include <array>
#include <string>
#include <vector>

namespace inlet::cfd {

using Triangle = std::array<Vec3, 3>;  // counter-clockwise seen from outside the fluid

// One boundary patch: its name is the patch's name in the case.
struct Surface {
    std::string name;
    bool wall = true;
    std::vector<Triangle> triangles;
    int level = 0;  // the cells at this surface: the background's halved this many times
};

// A cylinder whose cells are refined to `level` (the background's halved that many times):
// where the figures are taken, the cells must resolve what passes them.
struct RefinementZone {
    std::string name;
    Vec3 from, to;      // the axis's ends
    double radius = 0;
    int level = 0;
};

// A plane across the flow where the figures are evaluated.
struct Section {
    std::string name;
    std::string caption;  // what the engineer calls it, e.g. "cone inlet"
    Vec3 point;
    Vec3 normal;          // unit, along the flow
    double radius = 0;    // m, the pipe's at the section: the plane beyond it is not the section
    double area = 0;      // m^2, a section that is no round pipe's (a 2-D channel's); else pi radius^2
    double annulusInner = 0;  // m; above 0, the figures over the annulus outside it are given too
    double innerRadius = 0;   // m, the pump's hub there: the section is the ring outside it
};

enum class MeshLevel { Tiny, Coarse, Medium, Fine };

// The mesh: a background of cubes of edge `cellSize` cut to the boundary and refined where the
// surfaces and zones ask, at the feature edges `featureLevel` times; prism layers of `layers`
// cells at every wall, the first `firstLayer` thick, each `expansion` times the one before.
struct MeshSettings {
    double cellSize = 0;     // m
    int layers = 0;
    double firstLayer = 0;   // m, at every wall, whatever its cells
    double expansion = 1.3;
    int featureLevel = 1;
    bool refined = true;     // false: the surfaces' and zones' levels are left out, as featureLevel
};

struct SolverSettings {
    int processes = 1;           // MPI ranks
    int iterationLimit = 1000;
    int sampleInterval = 20;     // iterations between evaluations of the figures
    int settleWindow = 100;      // the figures must hold over this many iterations
    double settleTolerance = 1e-3;  // by this fraction of their value
    // Where the figures swing instead (Pipeline.h, settledOnAverage): their means over this many
    // iterations must agree with the means over the as many before by this fraction.
    int averageWindow = 200;
    double averageTolerance = 5e-3;
    double sectionTolerance = 0.01; // a section's area and flow against the pipe's and Q (SectionCheck.h)
};

struct FlowCase {
    std::string title;
    std::vector<Surface> surfaces;   // the whole boundary, closed; one surface named "inlet", one "outlet"
    Vec3 inside;                     // a point in the fluid, away from the walls
    double flow = 0;                 // Q, m^3/s, entering through "inlet"
    double inletHydraulicDiameter = 0;  // m, for the turbulence entering
    double inletIntensity = 0.05;    // the turbulence entering, a share of the inlet's mean velocity
    double outletVelocity = 0;       // m/s, a mean velocity that sets the first layer's thickness
    double outletDiameter = 0;       // m
    double viscosity = 1.0e-6;       // kinematic, m^2/s (water at 20 °C)
    double wallRoughness = 0;        // m, the walls' equivalent sand roughness Ks; 0: smooth
    Vec3 axis{0, 0, 1};              // the axial direction at the sections
    std::vector<Section> sections;
    // A case meshed by blockMesh alone from this blockMeshDict's body (a 2-D case's blocks, front
    // and back `empty`) instead of a background cut to the surfaces by snappyHexMesh.
    std::string blockMesh;
    std::vector<RefinementZone> zones;
    MeshSettings mesh;
    SolverSettings solver;
};

// The fluid volume enclosed by the surfaces (divergence theorem), m^3.
double enclosedVolume(const std::vector<Surface>& surfaces);
// The smallest box holding every surface.
std::array<Vec3, 2> bounds(const std::vector<Surface>& surfaces);

// The name of a level as the command line and the files write it, and back (false: unknown).
const char* levelName(MeshLevel level);
bool parseLevel(const std::string& name, MeshLevel& level);
// How many cells the background of a level holds: tiny 4,000, coarse 60,000, medium 150,000,
// fine 400,000.
int levelCells(MeshLevel level);

// The prism layers at the walls: each this many times as thick as the one before, at most this
// many, the last at most this share of the background's cell.
inline constexpr double kLayerExpansion = 1.3;
inline constexpr int kMostLayers = 8;
inline constexpr double kLastLayerShare = 0.4;
// Below this many background cells (the tiny mesh, which tries the pipeline) the mesh is not
// refined: refined, it would hold eight times its cells.
inline constexpr int kLeastRefinedCells = 10000;

// Mesh settings for about `cells` background cells in the case's volume, with prism layers
// whose first cell puts the wall's y+ near 95 (the middle of the wall functions' 30 to 300 on
// a logarithmic scale) at the geometric mean of the inlet's and the outlet's mean velocities
// (friction from Colebrook-White), growing by kLayerExpansion while the last stays within
// kLastLayerShare of the background's cell, at most kMostLayers.
MeshSettings meshFor(const FlowCase& flowCase, int cells);

// The mean velocity through the surface "inlet", m/s (0 without one).
double inletVelocity(const FlowCase& flowCase);

}  // namespace inlet::cfd
