#pragma once

// Writes an OpenFOAM case folder for a flow case: the boundary as one STL of named solids,
// the background mesh and snappyHexMesh's settings (cut, snapped, prism layers at the walls),
// k-omega SST in steady SIMPLE, and the sections sampled as the solver goes.
//
//   DIR/constant/triSurface/boundary.stl   the boundary, one solid per patch, in metres
//   DIR/system/...                         blockMesh, snappyHexMesh, decomposition, solver
//   DIR/0.orig/                            the fields at rest (copied to 0/ after meshing)
//   DIR/stop                               created to stop the solver at its next iteration

#include "openfoam/FlowCase.h"

#include <filesystem>
#include <ostream>

namespace inlet::cfd {

// Throws a Failure (CannotWrite, FlowCannotCreateFolder, ...) when a file cannot be written.
void writeCase(const FlowCase& flowCase, const std::filesystem::path& dir);

// The boundary as ASCII STL, one `solid NAME` per surface.
void writeStl(const std::vector<Surface>& surfaces, std::ostream& out);

// controlDict alone, to change the iteration limit of a case that is resumed, and
// decomposeParDict alone, for another number of processes.
void writeControlDict(const FlowCase& flowCase, const std::filesystem::path& dir);
void writeDecomposeParDict(const FlowCase& flowCase, const std::filesystem::path& dir);

}  // namespace inlet::cfd
