#pragma once

// A section is the pipe it names or no section: the faces a cutting plane samples are kept
// only within the pipe's radius (the plane runs on through whatever else lies at its height,
// the volute under a high roof), and what remains must hold the pipe's area, carry the flow
// given and give a Vu that means something. A run whose sections fail is not a result.

#include "messages/Failure.h"
#include "openfoam/FlowCase.h"
#include "openfoam/FlowResult.h"
#include "openfoam/VtkSurface.h"

#include <optional>
#include <vector>

namespace inlet::cfd {

// How far a section's area may lie from the pipe's, and its flow from the flow given, as a
// share. The flow is the face fluxes through the mesh's faces in the section (ZoneSection.h),
// or, in a case of blocks, the cells' velocities on the cut.
inline constexpr double kSectionTolerance = 0.01;
// The smallest meshes (below the coarse level's background cells) are for trying the pipeline
// out: snapped to the pipe with a few cells across, their sections hold 2 to 9 % less than the
// pipe's area (the tiny mesh, hk 2000; the cone top's wall takes the cone inlet's middle), yet
// a plane cut through the volute (ten times the area) is still refused. (Cutting planes of
// cells' values also carried 2 % less to 9 % more than Q there; the mesh's faces carry Q.)
inline constexpr double kSmallMeshSectionTolerance = 0.15;
inline constexpr int kSmallMeshCells = 60000;

// The tolerance for a mesh of about `backgroundCells`.
double sectionTolerance(int backgroundCells);

// The faces whose centre lies within the section's radius of the axis through its point.
std::vector<SampledFace> withinPipe(const std::vector<SampledFace>& faces, const Section& section);
// Of those, the faces whose centre lies farther than `inner` (m) from that axis: an annulus.
std::vector<SampledFace> outsideRadius(const std::vector<SampledFace>& faces, const Section& section, double inner);

// Why the figures of `section` are not the pipe's, or nothing: its area against pi R^2 (the
// ring pi (R^2 - r^2) around a hub of radius r) and its
// flow against `flow` (m^3/s), each within `tolerance` (the flow within `flowTolerance` where
// given: the face fluxes of the mesh's faces carry Q on any mesh), Vu within 0 to 100 %. The
// Failure names the section and the figures (FlowSectionArea, FlowSectionFlow,
// FlowSectionUniformity; stage Evaluate; {number} the tolerance in per cent).
std::optional<Failure> checkSection(const SectionFigures& figures, const Section& section, double flow,
                                    double tolerance = kSectionTolerance,
                                    std::optional<double> flowTolerance = std::nullopt);

}  // namespace inlet::cfd
