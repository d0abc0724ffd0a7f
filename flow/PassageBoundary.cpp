#include "flow/DesignFlow.h"

#include "document/DesignFile.h"
#include "boxes/GivenReadings.h"
#include "openfoam/PassageCase.h"

#include <cmath>
#include <string>
#ifdef INLET_HAVE_SOLID
#include "run/Calculation.h"
#include "calc/DesignInputs.h"
#include "solid/SolidFailure.h"
#include "solid/SolidModule.h"
#endif

namespace inlet {

#ifdef INLET_HAVE_SOLID

namespace {

// The farthest the boundary's triangles lie from the exact surfaces, mm: well inside the
// finest cells at the walls.
constexpr double kDeflection = 1.0;

std::string wholeMillimetres(double mm)
{
    return std::to_string(std::llround(mm));
}

}  // namespace

cfd::FlowCase passageFlowCase(const Calculation& calculation, const Design& design, const FlowOptions& flowOptions)
{
    const auto text = [&](Box box) {
        const auto found = design.texts.find(box);
        return found == design.texts.end() ? std::string() : found->second.toStdString();
    };
    const std::optional<double> Q = designFlowOf(text(kFlowRateBox));
    if (!Q)
        throw Failure{.kind = Failure::Kind::FlowDesignFlowNotPositive, .other = text(kFlowRateBox),
                      .stage = FlowStage::Case};

    cfd::Passage p;
    SolidMesh mesh;
    try {
        // The pipe carried on above the pump inlet section keeps the fixed pressure away from it.
        const double pumpInlet = calculation.in.D0;  // mm, replaced by the solid's own below
        SolidOptions options;
        options.outletExtension = flowOptions.outletExtension.value_or(cfd::kOutletExtension * pumpInlet);
        // An outlet on the pump inlet section would fix the pressure where the figures are taken.
        if (!(options.outletExtension > 0))
            throw Failure{.kind = Failure::Kind::FlowOutletOnPumpInlet, .other = wholeMillimetres(options.outletExtension),
                          .stage = FlowStage::Case};
        options.hubDiameter = flowOptions.hubDiameter.value_or(0);
        options.passageLength = flowOptions.passageLength;
        // The widths the design chose, as its drawings and its solid take them.
        const SolidDesign solid = solidDesign(calculation, solidStations(calculation, design.widthSet),
                                              text(kPassageLengthBox), options);
        p.pumpInletDiameter = 2 * solid.coneTop.x / 1000;
        p.pumpInletHeight = solid.pipeTop / 1000;
        if (options.hubDiameter >= 2 * solid.coneTop.x)
            throw Failure{.kind = Failure::Kind::FlowHubNotInPipe, .other = wholeMillimetres(2 * solid.coneTop.x),
                          .detail = wholeMillimetres(options.hubDiameter), .stage = FlowStage::Case};
        p.hubDiameter = options.hubDiameter / 1000;
        // A roof above the pump inlet leaves no pipe for the sections to be bounded to.
        if (calculation.in.hk > solid.pipeTop)
            throw Failure{.kind = Failure::Kind::FlowRoofAbovePumpInlet, .other = wholeMillimetres(solid.pipeTop),
                          .detail = wholeMillimetres(calculation.in.hk), .stage = FlowStage::Case};
        // The conical pipe runs straight from the cone inlet, where the bell mouth begins, to H:
        // its radius at the cone inlet section.
        const double coneInletZ = calculation.in.H1 + calculation.in.H2 + cfd::kConeInletOffset * 2 * solid.coneTop.x;
        const cfd::Vec3 bellStart{solid.bellMouth.centre.x + solid.bellMouth.rx * std::cos(solid.bellMouth.start),
                                  solid.bellMouth.centre.y + solid.bellMouth.ry * std::sin(solid.bellMouth.start), 0};
        const double along = (coneInletZ - bellStart.y) / (solid.coneTop.y - bellStart.y);
        p.coneInletRadius = (bellStart.x + along * (solid.coneTop.x - bellStart.x)) / 1000;
        if (!(p.coneInletRadius > 0) || !std::isfinite(p.coneInletRadius) || !(along >= 0 && along <= 1))
            throw Failure{.kind = Failure::Kind::FlowSectionUnbounded, .item = "cone_inlet", .stage = FlowStage::Case};
        p.outletHeight = solid.top / 1000;
        mesh = buildSolid(solid)->mesh(kDeflection);
    } catch (Failure& e) {
        // The solid's own failure says "no solid: ..." already.
        e.stage = FlowStage::Case;
        throw;
    }

    p.surfaces.resize(kWallCount);
    for (int w = 0; w < kWallCount; ++w)
        p.surfaces[static_cast<std::size_t>(w)].name = std::string(wallName(static_cast<Wall>(w)));
    const auto vertex = [&](std::uint32_t i) {
        return cfd::Vec3{mesh.positions[3 * i] / 1000.0, mesh.positions[3 * i + 1] / 1000.0,
                         mesh.positions[3 * i + 2] / 1000.0};
    };
    for (std::size_t t = 0; t < mesh.walls.size(); ++t)
        p.surfaces[mesh.walls[t]].triangles.push_back(
            {vertex(mesh.triangles[3 * t]), vertex(mesh.triangles[3 * t + 1]), vertex(mesh.triangles[3 * t + 2])});
    p.flow = *Q;
    p.coneInletHeight = (calculation.in.H1 + calculation.in.H2) / 1000;
    p.coneTopDiameter = calculation.in.dd0 / 1000.0;
    p.inletWidth = widthSets(calculation).passageWidth(design.widthSet, calculation.in.D1).value_or(calculation.B) / 1000;
    p.inletHeight = calculation.in.hk / 1000;
    // No hub asked for: no patch of that name.
    if (p.hubDiameter <= 0)
        p.surfaces.erase(p.surfaces.begin() + static_cast<int>(Wall::Hub));
    cfd::FlowCase flowCase = cfd::passageCase(p);
    flowCase.wallRoughness = flowOptions.roughness / 1000;
    return flowCase;
}

#else

cfd::FlowCase passageFlowCase(const Calculation&, const Design&, const FlowOptions&)
{
    throw Failure{.kind = Failure::Kind::FlowNeedsSolid, .stage = FlowStage::Case};
}

#endif

}  // namespace inlet
