#include "SolidModule.h"

#include "SolidFailure.h"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>
#include <vector>

namespace inlet {

namespace {

namespace fs = std::filesystem;

// Where the module may be, nearest first: beside the program, where it is installed relative
// to the program's folder, and, for a program that runs in the build tree, where it was built.
std::vector<fs::path> candidates()
{
    const fs::path name = "libinlet-solid.so";
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error).parent_path();
    if (error)
        return {fs::path(INLET_SOLID_MODULE_BUILT) / name};
    std::vector<fs::path> places{program / name, program / INLET_SOLID_MODULE_FROM_PROGRAM / name};
    // Never from the build tree for an installed program: that folder may be anyone's now.
    const std::string buildTree = fs::path(INLET_BUILD_TREE).lexically_normal().string() + "/";
    if ((program.lexically_normal().string() + "/").starts_with(buildTree))
        places.push_back(fs::path(INLET_SOLID_MODULE_BUILT) / name);
    return places;
}

struct Loaded {
    SolidModule* module = nullptr;
    std::string failure;  // why there is none
};

Loaded load()
{
    Loaded loaded;
    std::string tried;
    for (const fs::path& place : candidates()) {
        std::error_code ignored;
        if (!fs::exists(place, ignored))
            continue;
        if (void* library = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            using Entry = SolidModule* (*)();
            if (const auto entry = reinterpret_cast<Entry>(dlsym(library, "inletSolidModule"))) {
                loaded.module = entry();
                return loaded;
            }
        }
        if (const char* error = dlerror())
            tried += (tried.empty() ? "" : "; ") + std::string(error);
    }
    loaded.failure = tried.empty() ? "the module inlet-solid is not installed" : "the module inlet-solid: " + tried;
    return loaded;
}

}  // namespace

SolidModule* solidModule(std::string* why)
{
    // Loaded once, by whichever thread asks first (the window's solid and its flow each ask
    // from a worker thread of their own): the others wait until it is done.
    static const Loaded loaded = load();
    if (!loaded.module && why)
        *why = loaded.failure;
    return loaded.module;
}

std::unique_ptr<BuiltSolid> buildSolid(const SolidDesign& design)
{
    std::string why;
    SolidModule* module = solidModule(&why);
    if (!module)
        throw solidFailure(Failure::Kind::SolidUnavailable, why);
    return module->build(design);
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
