#pragma once

// What the program is made with: every library it links and every program it runs, each with
// its licence, in one table. 关于 lists those of this build; a test checks that the Debian
// copyright file and the Windows licence page name them.

#include <span>
#include <string_view>

namespace inlet {

struct Component {
    std::string_view name;     // "OpenCASCADE"
    std::string_view licence;  // SPDX: "LGPL-2.1-only WITH OCCT-exception-1.0"
    bool program;              // run as a program of its own, not linked
    bool inThisBuild;          // linked (or run) by this build
};

// Every component any build may have, linked ones first.
std::span<const Component> components();

}  // namespace inlet
