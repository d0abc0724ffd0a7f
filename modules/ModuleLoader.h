#pragma once

// The program's modules: shared libraries of its own (inlet-output, inlet-solid), each with one
// entry function, loaded the first time they are needed so that their libraries (Qt Svg and
// Print Support, OpenCASCADE) never slow a start. Plain C++: the command-line tool loads the
// solid's module as the window does. A module is declared in CMake with
// inlet_loadable_module() (cmake/LoadableModule.cmake), which builds and installs it where
// this loader looks.

#include "messages/Failure.h"

#include <filesystem>
#include <string>
#include <vector>

namespace inlet {

// Where the module `name` may be, nearest first: beside the program; where the modules are
// installed, relative to the program's folder; and, for a program that runs in the build tree,
// where the modules were built (never for an installed program: that folder may be anyone's
// now).
std::vector<std::filesystem::path> modulePlaces(const std::string& name);

// The address of the function `entry` in the module `name`, from the first place that holds a
// module that loads; null where there is none, `why` then saying what each place said.
void* moduleEntry(const std::string& name, const char* entry, std::string& why);

// The module `name` loaded and its entry function `entry` (returning a Module*) called, once:
// declared as a function's static, the first thread that asks loads it and the others wait.
// A module that cannot be loaded is the Failure ModuleMissing ({item} the module, {detail}
// why) at every call.
template <class Module>
class ModuleLoader {
public:
    ModuleLoader(const std::string& name, const char* entry)
    {
        std::string why;
        if (void* address = moduleEntry(name, entry, why))
            module_ = reinterpret_cast<Module* (*)()>(address)();
        else
            failure_ = Failure{.kind = Failure::Kind::ModuleMissing, .item = name, .detail = why};
    }

    Module& module() const
    {
        if (!module_)
            throw failure_;
        return *module_;
    }

private:
    Module* module_ = nullptr;
    Failure failure_;
};

}  // namespace inlet
