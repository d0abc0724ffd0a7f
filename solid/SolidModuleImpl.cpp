// The module inlet-solid: the passage's solid with OpenCASCADE, its STEP and STL files and
// its triangles.

#include "solid/SolidModule.h"

#include "solid/PassageSolid.h"
#include "solid/SolidFiles.h"

namespace inlet {

namespace {

class Built : public BuiltSolid {
public:
    explicit Built(PassageSolid solid) : solid_(std::move(solid)) {}
    const SolidFigures& figures() const override { return solid_.figures; }
    void writeStep(const std::string& path, const StepOptions& options) const override
    {
        inlet::writeStep(solid_, path, options);
    }
    void writeStl(const std::string& path, const StlOptions& options) const override
    {
        inlet::writeStl(solid_, path, options);
    }
    SolidMesh mesh(double deflection) const override { return meshSolid(solid_, deflection); }
    SolidMesh section(double phiDegrees, double deflection) const override
    {
        return sectionMesh(solid_, phiDegrees, deflection);
    }

private:
    PassageSolid solid_;
};

class Module : public SolidModule {
public:
    std::unique_ptr<BuiltSolid> build(const SolidDesign& design) override
    {
        return std::make_unique<Built>(buildPassageSolid(design));
    }
};

}  // namespace

}  // namespace inlet

extern "C" __attribute__((visibility("default"))) inlet::SolidModule* inletSolidModule()
{
    static inlet::Module module;
    return &module;
}
