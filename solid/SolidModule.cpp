#include "solid/SolidModule.h"

#include "modules/ModuleLoader.h"

#include <mutex>
#include <vector>

namespace inlet {

std::unique_ptr<BuiltSolid> buildSolid(const SolidDesign& design)
{
    // Loaded once, by whichever thread asks first (the window's solid and its flow each ask
    // from a worker thread of their own): the others wait until it is done.
    static const ModuleLoader<SolidModule> loader("inlet-solid", "inletSolidModule");
    return loader.module().build(design);
}

std::shared_ptr<BuiltSolid> cachedSolid(const SolidDesign& design)
{
    const auto arc = [](std::vector<double>& key, const EllipseArc& a) {
        key.insert(key.end(), {a.centre.x, a.centre.y, a.rx, a.ry, a.start, a.end});
    };
    std::vector<double> key{design.pipeTop, design.top, design.coneTop.x, design.coneTop.y, design.hk,
                            design.roofLevel.x, design.roofLevel.y, design.footHeight, design.length, design.hubRadius};
    arc(key, design.bellMouth);
    arc(key, design.guideCone);
    for (const Point& p : design.planWall)
        key.insert(key.end(), {p.x, p.y});

    static std::mutex mutex;
    static std::vector<double> lastKey;
    static std::shared_ptr<BuiltSolid> last;
    const std::lock_guard lock(mutex);
    if (!last || key != lastKey) {
        last.reset();
        last = buildSolid(design);
        lastKey = std::move(key);
    }
    return last;
}

}  // namespace inlet
