#pragma once

// A mesh study of one design: the same case computed on three meshes, and for each section's
// Vu, theta and head loss how far the finest mesh's value is from the mesh-independent one
// (GridConvergence.h). The cells are those the meshes actually hold.

#include "openfoam/FlowResult.h"
#include "openfoam/GridConvergence.h"

#include <array>
#include <string>
#include <vector>

namespace inlet::cfd {

struct StudyFigure {
    std::string section;  // "pump_inlet"
    std::string figure;   // "Vu", "theta" or "headLoss", as the flow record names them
    std::array<double, 3> values{};  // fine, medium, coarse
    GridConvergence convergence;
};

struct MeshStudy {
    std::array<std::string, 3> levels;  // fine first
    std::array<int, 3> cells{};
    std::vector<StudyFigure> figures;

    const StudyFigure* figure(const std::string& section, const std::string& name) const;
};

// A figure whose GCI21 is above this share is not converged on the finest mesh.
inline constexpr double kGciLimit = 0.05;
// The formal order of the solver's momentum scheme (linear upwind, second order): the index of
// a figure whose apparent order is above it is computed with it.
inline constexpr double kFormalOrder = 2;

// The study of three settled results, fine first; the sections of the finest, each found in
// the other two by name (a section missing there gives no figure).
MeshStudy meshStudy(const std::array<FlowResult, 3>& results);

}  // namespace inlet::cfd
