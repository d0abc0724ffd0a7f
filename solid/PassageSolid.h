#pragma once

// The passage's fluid volume as an OpenCASCADE solid, its faces named by the wall they belong
// to, and the figures an engineer reads from it.

#include "solid/SolidDesign.h"
#include "solid/Walls.h"

#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>

#include <vector>

namespace inlet {

struct NamedFace {
    TopoDS_Face face;
    Wall wall;
};

struct PassageSolid {
    TopoDS_Shape solid;
    std::vector<NamedFace> faces;
    SolidFigures figures;
};

// Builds and checks the solid: one solid, one closed shell, valid, every face named. Throws
// a Failure (SolidModelling, SolidNotSound) where it cannot.
PassageSolid buildPassageSolid(const SolidDesign& design);

}  // namespace inlet
