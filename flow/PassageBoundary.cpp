#include "DesignFlow.h"

#include "DesignFile.h"
#include "GivenReadings.h"
#include "PassageCase.h"
#ifdef INLET_HAVE_SOLID
#include "Calculation.h"
#include "DesignInputs.h"
#include "SolidFailure.h"
#include "SolidModule.h"
#endif

namespace inlet {

#ifdef INLET_HAVE_SOLID

namespace {

// The farthest the boundary's triangles lie from the exact surfaces, mm: well inside the
// finest cells at the walls.
constexpr double kDeflection = 1.0;

}  // namespace

cfd::FlowCase passageFlowCase(const Calculation& calculation, const Design& design, const FlowOptions& flowOptions)
{
    const auto text = [&](Box box) {
        const auto found = design.texts.find(box);
        return found == design.texts.end() ? std::string() : found->second.toStdString();
    };
    const std::optional<double> Q = designFlowOf(text(Box::Text12));
    if (!Q)
        throw Failure{.kind = Failure::Kind::FlowDesignFlowNotPositive, .other = text(Box::Text12),
                      .stage = FlowStage::Case};

    cfd::Passage p;
    SolidMesh mesh;
    try {
        // The pipe carried on above the pump inlet section keeps the fixed pressure away from it.
        const double pumpInlet = calculation.in.D0;  // mm, replaced by the solid's own below
        SolidOptions options;
        options.outletExtension = cfd::kOutletExtension * pumpInlet;
        options.passageLength = flowOptions.passageLength;
        // The widths the design chose, as its drawings and its solid take them.
        const SolidDesign solid = solidDesign(calculation, solidStations(calculation, design.widthSet),
                                              text(Box::Text7), options);
        p.pumpInletDiameter = 2 * solid.coneTop.x / 1000;
        p.pumpInletHeight = solid.pipeTop / 1000;
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
    p.inletWidth = widthSets(calculation).passageWidth(design.widthSet, calculation.in.D1).value_or(calculation.B) / 1000;
    p.inletHeight = calculation.in.hk / 1000;
    return cfd::passageCase(p);
}

#else

cfd::FlowCase passageFlowCase(const Calculation&, const Design&, const FlowOptions&)
{
    throw Failure{.kind = Failure::Kind::FlowNeedsSolid, .stage = FlowStage::Case};
}

#endif

}  // namespace inlet
