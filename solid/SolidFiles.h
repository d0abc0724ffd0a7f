#pragma once

// The solid as files and as triangles.
//
// STEP: AP214, millimetres, the solid with each face named by its wall ("inlet", "outlet",
// "floor", "outer_wall", "roof", "bell", "guide_cone"); or the walls alone, as a shell
// without the inlet and the outlet.
// STL: one region per wall; ASCII with one "solid NAME" per wall, as OpenFOAM and gmsh read
// named regions, or binary, the wall's index in each triangle's attribute word and the names
// in the header. Triangles face out of the fluid, and lie within `deflection` of the exact
// surfaces.

#include "solid/PassageSolid.h"
#include "solid/SolidMesh.h"
#include "solid/SolidModule.h"

#include <string>

namespace inlet {

// The triangles of every face within `deflection` mm of it (and `angle` radians).
SolidMesh meshSolid(const PassageSolid& solid, double deflection, double angle = 0.5);

// The solid cut by the vertical plane through the pump axis at phiDegrees, in triangles.
SolidMesh sectionMesh(const PassageSolid& solid, double phiDegrees, double deflection);

// Each saves the whole file as every file is saved (saveFileAtomically): whole or not at all;
// throws the save's Failure naming the file, or a Solid… Failure where the kernel fails.
void writeStep(const PassageSolid& solid, const std::string& path, const StepOptions& options = {});
void writeStl(const PassageSolid& solid, const std::string& path, const StlOptions& options = {});

}  // namespace inlet
