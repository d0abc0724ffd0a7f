#include "ui/Components.h"

#include "modules/Features.h"

#include <array>

namespace inlet {

namespace {

#ifdef INLET_HAVE_FONTCONFIG
constexpr bool kFontconfig = true;
#else
constexpr bool kFontconfig = false;
#endif
// OpenFOAM, MPI and Slurm are POSIX programs: on Windows the flow is not offered.
#ifdef _WIN32
constexpr bool kPosix = false;
#else
constexpr bool kPosix = true;
#endif

constexpr std::array kComponents{
    Component{"Qt 6", "LGPL-3.0-only", false, true},
    Component{"dxflib", "GPL-2.0-or-later", false, true},
    Component{"libxlsxwriter", "BSD-2-Clause", false, features::xlsx()},
    Component{"libodfgen", "MPL-2.0 OR LGPL-2.1-or-later", false, features::odt()},
    Component{"librevenge", "MPL-2.0 OR LGPL-2.1-or-later", false, features::odt()},
    Component{"zlib", "Zlib", false, features::odt()},
    Component{"OpenCASCADE", "LGPL-2.1-only WITH OCCT-exception-1.0", false, features::solid()},
    Component{"Fontconfig", "HPND-sell-variant", false, kFontconfig},
    Component{"OpenFOAM", "GPL-3.0-or-later", true, kPosix},
    Component{"Open MPI", "BSD-3-Clause-Open-MPI", true, kPosix},
    Component{"Slurm", "GPL-2.0-or-later", true, kPosix},
};

}  // namespace

std::span<const Component> components() { return kComponents; }

}  // namespace inlet
