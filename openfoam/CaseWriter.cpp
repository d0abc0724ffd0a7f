#include "openfoam/CaseWriter.h"

#include "openfoam/ZoneSection.h"

#include "messages/Failure.h"
#include "files/SaveFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace inlet::cfd {

namespace fs = std::filesystem;

namespace {

std::string num(double v)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 9).ptr;
    return std::string(buffer, end);
}

std::string vec(Vec3 v)
{
    std::string s = "(";
    s.append(num(v.x)).append(" ").append(num(v.y)).append(" ").append(num(v.z)).append(")");
    return s;
}

std::string header(const char* cls, const char* object)
{
    return std::string("FoamFile\n{\n    version 2.0;\n    format ascii;\n    class ") + cls
           + ";\n    object " + object + ";\n}\n\n";
}

void write(const fs::path& path, const std::string& text)
{
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec)
        throw systemFailure(Failure::Kind::FlowCannotCreateFolder, path.parent_path().string(), ec.value());
    saveFileAtomically(path.string(), text);
}

std::string dictionary(const char* object, const std::string& body)
{
    return header("dictionary", object) + body;
}

std::string blockMeshDict(const FlowCase& c)
{
    auto [lo, hi] = bounds(c.surfaces);
    const double h = c.mesh.cellSize;
    // A margin of a cell and a half around the boundary, whole cells in each direction.
    lo = lo - Vec3{1.5 * h, 1.5 * h, 1.5 * h};
    hi = hi + Vec3{1.5 * h, 1.5 * h, 1.5 * h};
    const int nx = std::max(1, static_cast<int>(std::ceil((hi.x - lo.x) / h)));
    const int ny = std::max(1, static_cast<int>(std::ceil((hi.y - lo.y) / h)));
    const int nz = std::max(1, static_cast<int>(std::ceil((hi.z - lo.z) / h)));
    hi = lo + Vec3{nx * h, ny * h, nz * h};
    // The background's layers of cells meet in a grid plane at each section's height, so that
    // after cutting and refining (which halves cells, keeping their faces' planes) the mesh has
    // faces lying in the section: the flow through them is the solver's own face flux. Between
    // the planes the cells are as near the cube's edge as whole numbers allow.
    std::vector<double> levels{lo.z};
    if (sectionsOnMeshFaces(c)) {
        std::vector<double> at;
        for (const Section& s : c.sections)
            if (s.point.z > lo.z + 0.5 * h && s.point.z < hi.z - 0.5 * h)
                at.push_back(s.point.z);
        std::sort(at.begin(), at.end());
        for (double z : at)
            if (z - levels.back() > 0.25 * h)
                levels.push_back(z);
    }
    levels.push_back(hi.z);
    std::ostringstream s;
    s << "convertToMeters 1;\n\nvertices\n(\n";
    for (double z : levels)
        for (const Vec3& v : {Vec3{lo.x, lo.y, z}, Vec3{hi.x, lo.y, z}, Vec3{hi.x, hi.y, z}, Vec3{lo.x, hi.y, z}})
            s << "    " << vec(v) << "\n";
    s << ");\n\nblocks\n(\n";
    std::ostringstream faces;
    for (std::size_t b = 0; b + 1 < levels.size(); ++b) {
        const int n = std::max(1, static_cast<int>(std::lround((levels[b + 1] - levels[b]) / h)));
        const auto v = [&](int corner, std::size_t level) { return std::to_string(4 * level + corner); };
        s << "    hex (" << v(0, b) << " " << v(1, b) << " " << v(2, b) << " " << v(3, b) << " " << v(0, b + 1) << " "
          << v(1, b + 1) << " " << v(2, b + 1) << " " << v(3, b + 1) << ") (" << nx << " " << ny << " " << n
          << ") simpleGrading (1 1 1)\n";
        if (b == 0)
            faces << " (" << v(0, b) << " " << v(3, b) << " " << v(2, b) << " " << v(1, b) << ")";
        if (b + 2 == levels.size())
            faces << " (" << v(0, b + 1) << " " << v(1, b + 1) << " " << v(2, b + 1) << " " << v(3, b + 1) << ")";
        faces << " (" << v(0, b) << " " << v(1, b) << " " << v(1, b + 1) << " " << v(0, b + 1) << ")"
              << " (" << v(2, b) << " " << v(3, b) << " " << v(3, b + 1) << " " << v(2, b + 1) << ")"
              << " (" << v(0, b) << " " << v(0, b + 1) << " " << v(3, b + 1) << " " << v(3, b) << ")"
              << " (" << v(1, b) << " " << v(2, b) << " " << v(2, b + 1) << " " << v(1, b + 1) << ")";
    }
    s << ");\n\nedges ();\n\nboundary\n(\n    background\n    {\n        type patch;\n"
         "        faces (" << faces.str() << ");\n    }\n);\n";
    return dictionary("blockMeshDict", s.str());
}

// Each section as a faceZone of the mesh's faces in its plane: those between cells whose
// centres lie either side of a disk of the pipe's radius there (and a little more, so that the
// faces at the wall are in; the program keeps those whose centre lies within the radius),
// turned along the section's normal.
std::string topoSetDict(const FlowCase& c)
{
    std::ostringstream s;
    s << "actions\n(\n";
    for (const Section& section : c.sections)
        s << "    { name " << section.name << "; type faceZoneSet; action new; source searchableSurfaceToFaceZone;\n"
          << "      surface searchableDisk; origin " << vec(section.point) << "; normal " << vec(section.normal)
          << "; radius " << num(1.05 * section.radius + 0.5 * c.mesh.cellSize) << "; }\n";
    s << ");\n";
    return dictionary("topoSetDict", s.str());
}

std::string wallRegex(const FlowCase& c)
{
    std::string r;
    for (const Surface& s : c.surfaces)
        if (s.wall)
            r += (r.empty() ? "" : "|") + s.name;
    return "\"(" + r + ")\"";
}

// The prism layers of every wall.
std::string layerGroups(const FlowCase& c)
{
    std::ostringstream s;
    for (const Surface& f : c.surfaces)
        if (f.wall)
            s << "        " << f.name << " { nSurfaceLayers " << c.mesh.layers << "; }\n";
    return s.str();
}

std::string snappyHexMeshDict(const FlowCase& c)
{
    const auto level = [&](const Surface& f) { return c.mesh.refined ? f.level : 0; };
    std::ostringstream s;
    s << "castellatedMesh true;\nsnap true;\naddLayers " << (c.mesh.layers > 0 ? "true" : "false") << ";\n\n"
      << "geometry\n{\n    boundary.stl\n    {\n        type triSurfaceMesh;\n        name boundary;\n"
         "        regions\n        {\n";
    for (const Surface& f : c.surfaces)
        s << "            " << f.name << " { name " << f.name << "; }\n";
    s << "        }\n    }\n";
    const auto zones = c.mesh.refined ? c.zones : std::vector<RefinementZone>{};
    for (const RefinementZone& z : zones)
        s << "    " << z.name << "_zone\n    {\n        type searchableCylinder;\n        point1 " << vec(z.from)
          << ";\n        point2 " << vec(z.to) << ";\n        radius " << num(z.radius) << ";\n    }\n";
    s << "}\n\n"
         "castellatedMeshControls\n{\n    maxLocalCells 20000000;\n    maxGlobalCells 40000000;\n"
         "    minRefinementCells 0;\n    maxLoadUnbalance 0.10;\n    nCellsBetweenLevels 2;\n"
         // The feature edges (sharper than 30 degrees: the guide cone's top, the bell mouth's
         // rim, the passage's corners) in cells refined this many times, for the snap to follow.
         "    features ({ file \"boundary.eMesh\"; level "
      << c.mesh.featureLevel
      << "; });\n"
         "    refinementSurfaces\n    {\n        boundary\n        {\n            level (0 0);\n"
         "            regions\n            {\n";
    for (const Surface& f : c.surfaces)
        s << "                " << f.name << " { level (" << level(f) << " " << level(f) << "); patchInfo { type "
          << (f.wall ? "wall" : "patch") << "; } }\n";
    s << "            }\n        }\n    }\n    resolveFeatureAngle 30;\n    refinementRegions\n    {\n";
    for (const RefinementZone& z : zones)
        s << "        " << z.name << "_zone { mode inside; levels ((1e15 " << z.level << ")); }\n";
    s << "    }\n    locationInMesh " << vec(c.inside)
      << ";\n    allowFreeStandingZoneFaces true;\n}\n\n"
         "snapControls\n{\n    nSmoothPatch 3;\n    tolerance 2.0;\n    nSolveIter 100;\n    nRelaxIter 5;\n"
         "    nFeatureSnapIter 10;\n    implicitFeatureSnap false;\n    explicitFeatureSnap true;\n"
         "    multiRegionFeatureSnap true;\n}\n\n"
         // The layers' sizes in metres, the same at every wall: the first cell where the wall
         // functions want it (meshFor); a layer thinner than half of it is not added.
         "addLayersControls\n{\n    relativeSizes false;\n    layers\n    {\n"
      << layerGroups(c) << "    }\n"
      << "    expansionRatio " << num(c.mesh.expansion) << ";\n    firstLayerThickness " << num(c.mesh.firstLayer)
      << ";\n    minThickness " << num(c.mesh.firstLayer / 2) << ";\n    nGrow 0;\n    featureAngle 130;\n    slipFeatureAngle 30;\n    nRelaxIter 5;\n"
         "    nSmoothSurfaceNormals 3;\n    nSmoothNormals 3;\n    nSmoothThickness 10;\n"
         "    maxFaceThicknessRatio 0.5;\n    maxThicknessToMedialRatio 0.3;\n    minMedialAxisAngle 90;\n"
         "    nBufferCellsNoExtrude 0;\n    nLayerIter 50;\n    nRelaxedIter 20;\n}\n\n"
         // Kept below what the figures need from checkMesh (non-orthogonality 60, skewness 3.5;
         // MeshCheck.h), so that the snap and the layers back off where they would pass it.
         "meshQualityControls\n{\n    maxNonOrtho 55;\n    maxBoundarySkewness 3;\n    maxInternalSkewness 3;\n"
         "    maxConcave 80;\n    minVol 1e-13;\n    minTetQuality -1e30;\n    minArea -1;\n    minTwist 0.02;\n"
         "    minDeterminant 1e-4;\n    minFaceWeight 0.05;\n    minVolRatio 0.01;\n    minTriangleTwist -1;\n"
         "    nSmoothScale 4;\n    errorReduction 0.75;\n    relaxed { maxNonOrtho 58; }\n}\n\n"
         "mergeTolerance 1e-6;\n";
    return dictionary("snappyHexMeshDict", s.str());
}

std::string surfaceFeatureExtractDict()
{
    return dictionary("surfaceFeatureExtractDict",
                      "boundary.stl\n{\n    extractionMethod extractFromSurface;\n"
                      "    extractFromSurfaceCoeffs\n    {\n        includedAngle 150;\n        geometricTestOnly no;\n    }\n"
                      "    subsetFeatures\n    {\n        nonManifoldEdges no;\n        openEdges yes;\n    }\n"
                      "    writeObj no;\n}\n");
}

std::string sectionsFunction(const FlowCase& c, const char* name, const char* writeControl, int interval)
{
    const bool onFaces = sectionsOnMeshFaces(c);
    const std::string when = std::string("        writeControl ") + writeControl + ";\n        writeInterval "
                             + std::to_string(interval) + ";\n";
    const std::string vtk = "        surfaceFormat vtk;\n        formatOptions { vtk { format ascii; legacy true; precision 10; } }\n";
    std::ostringstream s;
    s << "    " << name << "\n    {\n        type surfaces;\n        libs (\"libsampling.so\");\n" << when << vtk
      << "        fields (U p);\n        interpolationScheme cell;\n        surfaces\n        (\n"
      << "            inlet { type patch; patches (inlet); interpolate false; triangulate false; }\n";
    if (!onFaces)
        for (const Section& section : c.sections)
            s << "            " << section.name
              << " { type cuttingPlane; planeType pointAndNormal; pointAndNormalDict { point " << vec(section.point)
              << "; normal " << vec(section.normal) << "; } interpolate false; triangulate false; }\n";
    s << "        );\n    }\n";
    if (!onFaces)
        return s.str();
    // The sections' faces carry the face flux phi the solver balances (so that the flow
    // through a section is Q as the solver holds it) and U and p interpolated to the faces;
    // the interpolation runs first, at the same iterations.
    s << "    " << name << "_faces\n    {\n        type surfaceInterpolate;\n        libs (\"libfieldFunctionObjects.so\");\n"
      << "        fields ((U Uf) (p pf));\n        executeControl " << writeControl << ";\n        executeInterval "
      << interval << ";\n        writeControl none;\n    }\n";
    for (const Section& section : c.sections)
        for (const char* field : kZoneFields)
            s << "    " << name << "_" << section.name << "_" << field
              << "\n    {\n        type surfaceFieldValue;\n        libs (\"libfieldFunctionObjects.so\");\n" << when
              << "        log false;\n        writeFields true;\n"
              // XML: the legacy writer of v1912 needs the number of fields beforehand, which
              // surfaceFieldValue does not give it.
              << "        surfaceFormat vtk;\n        formatOptions { vtk { format ascii; legacy false; precision 10; } }\n"
              << "        regionType faceZone;\n        name " << section.name << ";\n        operation sum;\n"
              << "        fields (" << field << ");\n    }\n";
    return s.str();
}

// Iterations between the fields written, from which a run resumes; the limit is rounded up
// to a multiple of it, so that the last iteration is written.
constexpr int kWriteInterval = 50;

std::string controlDict(const FlowCase& c)
{
    std::ostringstream s;
    s << "application simpleFoam;\nstartFrom latestTime;\nstartTime 0;\nstopAt endTime;\nendTime "
      << (std::max(c.solver.iterationLimit, 1) + kWriteInterval - 1) / kWriteInterval * kWriteInterval
      << ";\ndeltaT 1;\nwriteControl timeStep;\nwriteInterval " << kWriteInterval << ";\npurgeWrite 2;\nwriteFormat binary;\n"
         "writePrecision 10;\nwriteCompression off;\ntimeFormat general;\ntimePrecision 8;\n"
         "runTimeModifiable true;\n\nfunctions\n{\n"
         "    stop\n    {\n        type abort;\n        libs (\"libutilityFunctionObjects.so\");\n"
         "        action writeNow;\n    }\n"
         "    speed\n    {\n        type fieldMinMax;\n        libs (\"libfieldFunctionObjects.so\");\n"
         "        fields (U);\n        mode magnitude;\n        writeToFile false;\n        log true;\n"
         "        writeControl timeStep;\n        writeInterval 1;\n    }\n"
      << sectionsFunction(c, "sections", "timeStep", c.solver.sampleInterval)
      << "    yPlus\n    {\n        type yPlus;\n        libs (\"libfieldFunctionObjects.so\");\n"
         "        writeControl writeTime;\n    }\n}\n";
    return dictionary("controlDict", s.str());
}

std::string decomposeParDict(const FlowCase& c)
{
    // Hierarchical along the longest side: Debian's scotch and metis are stubs.
    const auto [lo, hi] = bounds(c.surfaces);
    const Vec3 size = hi - lo;
    const int n = std::max(1, c.solver.processes);
    const std::string split = size.x >= size.y && size.x >= size.z ? vec({double(n), 1, 1})
                              : size.y >= size.z                   ? vec({1, double(n), 1})
                                                                   : vec({1, 1, double(n)});
    return dictionary("decomposeParDict", "numberOfSubdomains " + std::to_string(n)
                                              + ";\nmethod hierarchical;\nhierarchicalCoeffs\n{\n    n " + split
                                              + ";\n    delta 0.001;\n    order xyz;\n}\n");
}

const char* kFvSchemes =
    "ddtSchemes { default steadyState; }\n\n"
    "gradSchemes\n{\n    default Gauss linear;\n    grad(U) cellLimited Gauss linear 1;\n"
    "    grad(k) cellLimited Gauss linear 1;\n    grad(omega) cellLimited Gauss linear 1;\n}\n\n"
    "divSchemes\n{\n    default none;\n    div(phi,U) bounded Gauss linearUpwind grad(U);\n"
    // k and omega of the same (second) order as the velocity, limited as it is.
    "    div(phi,k) bounded Gauss linearUpwind grad(k);\n"
    "    div(phi,omega) bounded Gauss linearUpwind grad(omega);\n"
    "    div((nuEff*dev2(T(grad(U))))) Gauss linear;\n}\n\n"
    "laplacianSchemes { default Gauss linear limited corrected 0.33; }\n\n"
    "interpolationSchemes { default linear; }\n\n"
    "snGradSchemes { default limited corrected 0.33; }\n\n"
    "wallDist { method meshWave; }\n";

const char* kFvSolution =
    "solvers\n{\n    p\n    {\n        solver GAMG;\n        smoother GaussSeidel;\n        tolerance 1e-7;\n"
    "        relTol 0.1;\n    }\n    \"(U|k|omega)\"\n    {\n        solver smoothSolver;\n"
    "        smoother symGaussSeidel;\n        tolerance 1e-8;\n        relTol 0.1;\n    }\n}\n\n"
    "SIMPLE\n{\n    nNonOrthogonalCorrectors 1;\n    consistent no;\n}\n\n"
    "relaxationFactors\n{\n    fields\n    {\n        p 0.3;\n    }\n    equations\n    {\n        U 0.7;\n        \".*\" 0.6;\n    }\n}\n";

// The fields at rest: a start from rest (a potential-flow start overshoots at sharp edges).
struct Fields {
    double k = 0, omega = 0, mixingLength = 0;
};

Fields inletTurbulence(const FlowCase& c)
{
    Fields f;
    const double velocity = inletVelocity(c) > 0 ? inletVelocity(c) : 1;
    const double intensity = c.inletIntensity;
    f.k = 1.5 * (intensity * velocity) * (intensity * velocity);
    f.mixingLength = 0.07 * c.inletHydraulicDiameter;
    f.omega = std::sqrt(f.k) / (std::pow(0.09, 0.25) * f.mixingLength);
    return f;
}

std::string field(const FlowCase& c, const char* cls, const char* name, const char* dimensions,
                  const std::string& internal, const std::string& inlet, const std::string& outlet,
                  const std::string& wall)
{
    std::ostringstream s;
    s << header(cls, name) << "dimensions " << dimensions << ";\n\ninternalField " << internal
      << ";\n\nboundaryField\n{\n    #includeEtc \"caseDicts/setConstraintTypes\"\n    inlet { " << inlet << " }\n    outlet { " << outlet << " }\n    "
      << wallRegex(c) << " { " << wall << " }\n    background { type zeroGradient; }\n}\n";
    return s.str();
}

void writeFields(const FlowCase& c, const fs::path& dir)
{
    const Fields t = inletTurbulence(c);
    const std::string k = "uniform " + num(t.k), omega = "uniform " + num(t.omega);
    write(dir / "U", field(c, "volVectorField", "U", "[0 1 -1 0 0 0 0]", "uniform (0 0 0)",
                           "type flowRateInletVelocity; volumetricFlowRate constant " + num(c.flow)
                               + "; extrapolateProfile false; value uniform (0 0 0);",
                           "type inletOutlet; inletValue uniform (0 0 0); value uniform (0 0 0);", "type noSlip;"));
    write(dir / "p", field(c, "volScalarField", "p", "[0 2 -2 0 0 0 0]", "uniform 0", "type zeroGradient;",
                           "type fixedValue; value uniform 0;", "type zeroGradient;"));
    write(dir / "k", field(c, "volScalarField", "k", "[0 2 -2 0 0 0 0]", k,
                           "type turbulentIntensityKineticEnergyInlet; intensity " + num(c.inletIntensity) + "; value " + k + ";",
                           "type inletOutlet; inletValue " + k + "; value " + k + ";",
                           "type kqRWallFunction; value " + k + ";"));
    write(dir / "omega", field(c, "volScalarField", "omega", "[0 0 -1 0 0 0 0]", omega,
                               "type turbulentMixingLengthFrequencyInlet; mixingLength " + num(t.mixingLength)
                                   + "; value " + omega + ";",
                               "type inletOutlet; inletValue " + omega + "; value " + omega + ";",
                               "type omegaWallFunction; value " + omega + ";"));
    write(dir / "nut", field(c, "volScalarField", "nut", "[0 2 -1 0 0 0 0]", "uniform 0",
                             "type calculated; value uniform 0;", "type calculated; value uniform 0;",
                             c.wallRoughness > 0 ? "type nutkRoughWallFunction; Ks uniform " + num(c.wallRoughness)
                                                       + "; Cs uniform 0.5; value uniform 0;"
                                                 : "type nutkWallFunction; value uniform 0;"));
}

}  // namespace

void writeStl(const std::vector<Surface>& surfaces, std::ostream& out)
{
    for (const Surface& s : surfaces) {
        out << "solid " << s.name << "\n";
        for (const Triangle& t : s.triangles) {
            Vec3 n = cross(t[1] - t[0], t[2] - t[0]);
            const double length = norm(n);
            if (length > 0)
                n = (1 / length) * n;
            out << "  facet normal " << num(n.x) << " " << num(n.y) << " " << num(n.z) << "\n    outer loop\n";
            for (const Vec3& v : t)
                out << "      vertex " << num(v.x) << " " << num(v.y) << " " << num(v.z) << "\n";
            out << "    endloop\n  endfacet\n";
        }
        out << "endsolid " << s.name << "\n";
    }
}

void writeControlDict(const FlowCase& flowCase, const fs::path& dir)
{
    write(dir / "system" / "controlDict", controlDict(flowCase));
}

void writeDecomposeParDict(const FlowCase& flowCase, const fs::path& dir)
{
    write(dir / "system" / "decomposeParDict", decomposeParDict(flowCase));
}

void writeCase(const FlowCase& c, const fs::path& dir)
{
    std::ostringstream stl;
    writeStl(c.surfaces, stl);
    write(dir / "constant" / "triSurface" / "boundary.stl", stl.str());
    write(dir / "constant" / "transportProperties",
          dictionary("transportProperties", "transportModel Newtonian;\nnu " + num(c.viscosity) + ";\n"));
    write(dir / "constant" / "turbulenceProperties",
          dictionary("turbulenceProperties",
                     "simulationType RAS;\nRAS\n{\n    RASModel kOmegaSST;\n    turbulence on;\n    printCoeffs off;\n}\n"));
    write(dir / "system" / "blockMeshDict", c.blockMesh.empty() ? blockMeshDict(c) : dictionary("blockMeshDict", c.blockMesh));
    write(dir / "system" / "surfaceFeatureExtractDict", surfaceFeatureExtractDict());
    write(dir / "system" / "snappyHexMeshDict", snappyHexMeshDict(c));
    write(dir / "system" / "decomposeParDict", decomposeParDict(c));
    if (sectionsOnMeshFaces(c))
        write(dir / "system" / "topoSetDict", topoSetDict(c));
    write(dir / "system" / "fvSchemes", dictionary("fvSchemes", kFvSchemes));
    write(dir / "system" / "fvSolution", dictionary("fvSolution", kFvSolution));
    writeControlDict(c, dir);
    // The last evaluation, run once on the whole case after the solver.
    write(dir / "system" / "evaluate", sectionsFunction(c, "sections", "writeTime", 1));
    writeFields(c, dir / "0.orig");
}

}  // namespace inlet::cfd
