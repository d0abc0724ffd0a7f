#pragma once

// The quality of a mesh as OpenFOAM's checkMesh reports it (its log): the largest
// non-orthogonality and skewness of its faces, and the limits the figures need. Beyond 60
// degrees the non-orthogonal correction of the gradients no longer holds the error of a
// second-order scheme; beyond a skewness of 3.5 the interpolation to the faces does not.

#include <optional>
#include <string_view>

namespace inlet::cfd {

inline constexpr double kMostNonOrthogonality = 60;  // degrees
inline constexpr double kMostSkewness = 3.5;

struct MeshQuality {
    int cells = 0;
    double nonOrthogonality = 0;  // degrees, the largest
    double skewness = 0;          // the largest
};

// The figures of a checkMesh log; nothing where it does not hold all three.
std::optional<MeshQuality> meshQuality(std::string_view checkMeshLog);

// Whether the mesh is within kMostNonOrthogonality and kMostSkewness.
bool fitForFigures(const MeshQuality& quality);

}  // namespace inlet::cfd
