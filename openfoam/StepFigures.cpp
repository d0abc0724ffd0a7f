#include "openfoam/StepFigures.h"

#include "messages/Failure.h"
#include "openfoam/Pipeline.h"
#include "openfoam/Process.h"
#include "files/SaveFile.h"
#include "openfoam/SectionCheck.h"
#include "openfoam/VtkSurface.h"

#include <algorithm>
#include <cmath>

namespace inlet::cfd {

namespace fs = std::filesystem;

namespace {

constexpr const char* kWallDict =
    "FoamFile { version 2.0; format ascii; class dictionary; object stepWallDict; }\n\nfunctions\n{\n"
    "    wallShearStress\n    {\n        type wallShearStress;\n        libs (\"libfieldFunctionObjects.so\");\n"
    "        patches (lowerWall);\n        writeControl writeTime;\n        writeToFile false;\n    }\n"
    "    stepWall\n    {\n        type surfaces;\n        libs (\"libsampling.so\");\n        writeControl writeTime;\n"
    "        surfaceFormat vtk;\n        formatOptions { vtk { format ascii; legacy true; precision 10; } }\n"
    "        fields (wallShearStress);\n        interpolationScheme cell;\n        surfaces\n        (\n"
    "            lowerWall { type patch; patches (lowerWall); interpolate false; triangulate false; }\n"
    "        );\n    }\n}\n";

// The value at `x` of points that run along x, linearly between the two around it.
double at(const std::vector<WallShear>& points, double x)
{
    if (points.empty())
        return 0;
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].x >= x) {
            const WallShear &a = points[i - 1], &b = points[i];
            return b.x > a.x ? a.shear + (b.shear - a.shear) * (x - a.x) / (b.x - a.x) : b.shear;
        }
    return points.back().shear;
}

// u along the section's height: (y, u) as WallShear's (x, shear) pairs, from the bottom.
std::vector<WallShear> profile(const fs::path& folder, const Section& s)
{
    std::vector<WallShear> points;
    for (const SectionFace& f : sectionFaces(withinPipe(readVtkSurface(folder / (s.name + ".vtk")), s), s.normal))
        points.push_back({f.centre.y, f.U.x});
    std::sort(points.begin(), points.end(), [](const WallShear& a, const WallShear& b) { return a.x < b.x; });
    return points;
}

}  // namespace

std::optional<double> reattachment(const std::vector<WallShear>& floor)
{
    std::optional<std::size_t> lastReversed;
    for (std::size_t i = 0; i < floor.size(); ++i)
        if (floor[i].shear < 0)
            lastReversed = i;
    if (!lastReversed || *lastReversed + 1 >= floor.size())
        return std::nullopt;
    const WallShear &a = floor[*lastReversed], &b = floor[*lastReversed + 1];
    return a.x + (b.x - a.x) * a.shear / (a.shear - b.shear);
}

StepFigures stepFigures(const Step& step, const FlowCase& c, const fs::path& dir, int latest)
{
    const double h = step.height;
    const fs::path log = dir / "log.stepWall";
    saveFileAtomically((dir / "system" / "stepWallDict").string(), kWallDict);
    fs::remove(log);
    const ProcessResult r = runProcess({"simpleFoam", "-postProcess", "-dict", "system/stepWallDict", "-latestTime"},
                                       dir, openFoamEnvironment(), log, [] { return true; });
    if (!r.started || r.exitCode != 0) {
        Failure f{.kind = r.started ? Failure::Kind::FlowProgramFailed : Failure::Kind::FlowProgramNotStarted,
                  .item = "simpleFoam", .other = log.filename().string(), .stage = FlowStage::Evaluate};
        f.number = r.signal ? r.signal : r.exitCode;
        throw f;
    }

    StepFigures s;
    const fs::path sections = dir / "postProcessing" / "sections" / std::to_string(latest);
    const auto sectionAt = [&](double station) -> const Section& {
        for (const Section& candidate : c.sections)
            if (candidate.name == stationName(station))
                return candidate;
        throw Failure{.kind = Failure::Kind::FlowNoResults, .item = stationName(station), .stage = FlowStage::Evaluate};
    };

    // The boundary layer coming to the step, and the core's velocity above it.
    const auto before = profile(sections, sectionAt(-4));
    for (const WallShear& p : before)
        s.referenceVelocity = std::max(s.referenceVelocity, p.shear);
    s.reynolds = s.referenceVelocity * h / step.viscosity;
    for (std::size_t i = 1; i < before.size() && s.boundaryLayer == 0; ++i)
        if (before[i].shear >= 0.99 * s.referenceVelocity) {
            const WallShear &a = before[i - 1], &b = before[i];
            const double y = a.x + (b.x - a.x) * (0.99 * s.referenceVelocity - a.shear) / (b.shear - a.shear);
            s.boundaryLayer = (y - h) / h;
        }

    // The floor's faces (not the step's), before and behind the step, along the flow.
    std::vector<WallShear> upstream, floor;
    const fs::path wall = dir / "postProcessing" / "stepWall" / std::to_string(latest) / "lowerWall.vtk";
    for (const SampledFace& f : readVtkSurface(wall)) {
        const auto tau = f.fields.find("wallShearStress");
        if (tau == f.fields.end() || tau->second.empty() || std::abs(f.areaVector.x) > std::abs(f.areaVector.y))
            continue;
        // OpenFOAM's wall shear stress is the wall's on the fluid: against the flow near the wall.
        (f.centre.x < 0 ? upstream : floor).push_back({f.centre.x, -tau->second[0]});
    }
    const auto byX = [](const WallShear& a, const WallShear& b) { return a.x < b.x; };
    std::sort(upstream.begin(), upstream.end(), byX);
    std::sort(floor.begin(), floor.end(), byX);
    if (floor.empty() || upstream.empty() || s.referenceVelocity <= 0)
        throw Failure{.kind = Failure::Kind::FlowNoResults, .item = wall.string(), .stage = FlowStage::Evaluate};
    const double dynamic = s.referenceVelocity * s.referenceVelocity / 2;
    s.frictionBefore = at(upstream, -4 * h) / dynamic;
    if (const auto x = reattachment(floor))
        s.reattachment = *x / h;
    const auto least = std::min_element(floor.begin(), floor.end(), [](const WallShear& a, const WallShear& b) {
        return a.shear < b.shear;
    });
    s.frictionLeast = least->shear / dynamic;
    s.frictionLeastAt = least->x / h;

    for (const double station : step.stations) {
        if (station <= 0)
            continue;
        StationProfile p{station, 0, 1e300};
        const auto points = profile(sections, sectionAt(station));
        for (std::size_t i = 0; i < points.size(); ++i) {
            p.smallest = std::min(p.smallest, points[i].shear / s.referenceVelocity);
            if (points[i].shear < 0 && i + 1 < points.size() && points[i + 1].shear >= 0) {
                const WallShear &a = points[i], &b = points[i + 1];
                p.reversedTop = (a.x + (b.x - a.x) * a.shear / (a.shear - b.shear)) / h;
            }
        }
        if (points.empty())
            p.smallest = 0;
        s.profiles.push_back(p);
    }
    return s;
}

}  // namespace inlet::cfd
