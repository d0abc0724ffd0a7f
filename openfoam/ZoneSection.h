#pragma once

// A section taken on the mesh's own faces: the background puts a grid plane at the section's
// height, topoSet gathers the faces in it (between cells whose centres lie either side of a
// disk a little wider than the pipe) as a faceZone, and surfaceFieldValue writes them, one
// field to a file (OpenFOAM v1912 keeps only the last of several fields in one file), as XML
// VTK PolyData (.vtp): the face flux phi the solver balances, and U and p interpolated to the
// faces (Uf, pf). The flow through such a section is the solver's own: at a settled solution
// it is Q to the solver's continuity error, whichever way the cells are cut.
//
//   DIR/postProcessing/sections_<section>_<field>/surface/<iteration>/faceZone_<section>.vtp

#include "openfoam/FlowCase.h"
#include "openfoam/VtkSurface.h"

#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace inlet::cfd {

// The fields each section's faces are written with, each by a function object of its own.
inline constexpr const char* kZoneFields[] = {"phi", "Uf", "pf"};

// Whether the case's sections are taken on its mesh's faces: a background the program lays
// out itself (cut by snappyHexMesh, not a case of blocks) with every section across z.
bool sectionsOnMeshFaces(const FlowCase& flowCase);

// The faces of an XML VTK PolyData surface (ASCII) with their CellData arrays. Throws
// std::runtime_error naming what is malformed.
std::vector<SampledFace> readVtpSurface(std::istream& in);
std::vector<SampledFace> readVtpSurface(const std::filesystem::path& path);

// The section's faces at one evaluation, from the files of its fields in `postProcessing`:
// each face turned along the section's normal, with p (pf) and U whose component along the
// normal is the face's flux over its area projected on the section (phi / A), the rest Uf's.
// A face with neither flux nor velocity is a wall's (a hub's end in the plane) and is left out;
// a face tilted more than 60 degrees from the section (a riser where the zone steps between
// cells the snap or the layers moved) gives its flux to the nearest face across the flow.
// Throws std::runtime_error when a file is missing (being written) or the files disagree.
std::vector<SampledFace> zoneSectionFaces(const std::filesystem::path& postProcessing, const std::string& iteration,
                                          const Section& section);

// The faces of section `name` (across `normal`) written at `iteration` in the case `dir`,
// whichever way it was sampled: on the mesh's faces (above), or a cutting plane's
// postProcessing/sections/<iteration>/<name>.vtk. Unbounded: the caller keeps its pipe.
std::vector<SampledFace> writtenSection(const std::filesystem::path& dir, int iteration, const std::string& name,
                                        Vec3 normal);

}  // namespace inlet::cfd
