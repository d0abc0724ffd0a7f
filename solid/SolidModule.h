#pragma once

// What links OpenCASCADE lives in a module of its own (inlet-solid), loaded the first time a
// solid is asked for, so that neither program loads OpenCASCADE at its start. The interface
// is plain C++: designs in, figures, files and triangles out.

#include "solid/SolidDesign.h"
#include "solid/SolidMesh.h"
#include "solid/Walls.h"

#include <memory>
#include <string>

namespace inlet {

struct StepOptions {
    bool wallsOnly = false;  // the walls as a shell, without the inlet and the outlet
};

struct StlOptions {
    bool binary = false;
    bool metres = false;      // coordinates in metres instead of millimetres
    double deflection = 0.5;  // mm, the farthest a triangle may lie from the exact surface
};

// A solid that was built and checked. Each method throws a Failure where it fails.
class BuiltSolid {
public:
    virtual ~BuiltSolid() = default;
    virtual const SolidFigures& figures() const = 0;
    virtual void writeStep(const std::string& path, const StepOptions& options) const = 0;
    virtual void writeStl(const std::string& path, const StlOptions& options) const = 0;
    // The walls in triangles within `deflection` mm, for a view.
    virtual SolidMesh mesh(double deflection) const = 0;
    // The solid cut by the vertical plane through the pump axis at phiDegrees from the back
    // (the station's radial section and, across the axis, its opposite), in triangles; the
    // triangles' wall is kSectionWall.
    virtual SolidMesh section(double phiDegrees, double deflection) const = 0;
};

class SolidModule {
public:
    virtual ~SolidModule() = default;
    // Throws a Failure where the solid cannot be built or fails its check.
    virtual std::unique_ptr<BuiltSolid> build(const SolidDesign& design) = 0;
};

// Builds the solid through the module inlet-solid, loaded the first time a solid is asked for
// (beside the program, in the folder it is installed to, or in the build tree). Throws a
// Failure: ModuleMissing where the module cannot be loaded.
std::unique_ptr<BuiltSolid> buildSolid(const SolidDesign& design);

// The same, built once for the same design: the STEP and the STL files of one run, and its
// figures, take one solid.
std::shared_ptr<BuiltSolid> cachedSolid(const SolidDesign& design);

}  // namespace inlet

// The one function the module exports.
extern "C" inlet::SolidModule* inletSolidModule();
