#pragma once

// Reads a sampled surface as OpenFOAM writes it in legacy ASCII VTK (POLYDATA with the fields
// as CELL_DATA): the faces with their areas and the velocity and pressure on each.

#include "openfoam/FlowFigures.h"

#include <filesystem>
#include <istream>
#include <map>
#include <string>
#include <vector>

namespace inlet::cfd {

struct SampledFace {
    Vec3 centre;
    Vec3 areaVector;  // m^2, along the face's normal as its points turn
    std::vector<Vec3> points;
    std::map<std::string, std::vector<double>> fields;  // each field's components at this face
};

// A polygon of `points` (indices checked by the caller) as a face: its area vector and the
// centre of its area.
SampledFace polygonFace(const std::vector<Vec3>& points, const std::vector<int>& polygon);

// Throws std::runtime_error naming what is malformed. A face that another face repeats (its
// centre and area alike, as cutting planes repeat faces at processor boundaries) is read once.
std::vector<SampledFace> readVtkSurface(std::istream& in);
std::vector<SampledFace> readVtkSurface(const std::filesystem::path& path);

// The faces with U and p, for the figures, each with its area projected on `normal`: a
// cutting plane's faces may fold over one another, and the signed areas cancel the folds.
// Throws when either field is missing.
std::vector<SectionFace> sectionFaces(const std::vector<SampledFace>& faces, Vec3 normal);

}  // namespace inlet::cfd
