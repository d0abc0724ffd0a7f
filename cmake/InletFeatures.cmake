# Which optional features this build has, decided here and nowhere else.
#
# A feature needs a library that not every build has: Debian has them all, the Windows build
# (its Qt archive holds Qt's base modules and dxflib only) has none of them. Each feature is on
# where its library was found and off where not; INLET_WITH_<NAME>=OFF leaves it out by hand.
# A feature that is off is absent, not broken: no menu entry, no option, no format of it.
#
# The code asks Features.h (modules/, target inlet_features): features::svg() ... as `if`
# (or `if constexpr`); INLET_HAS_<NAME> (1 or 0, in the InletFeatures.h written here) only for
# `#if` around what includes the library.
#
# To add one: find its library QUIET (a Qt module: among the OPTIONAL_COMPONENTS of the
# top-level find_package(Qt6)) at the end of this file, then
#     inlet_feature(NAME "what the user gets" <whether the library was found>)
# add its question to modules/Features.h, link the library only `if(INLET_HAS_NAME)`, and add its row to the feature table in docs/windows.md.

set(inlet_feature_defines "")

function(inlet_feature name description)
    option(INLET_WITH_${name} "${description}" ON)
    if(INLET_WITH_${name} AND (${ARGN}))
        set(has 1)
        set(state "on")
    else()
        set(has 0)
        if(INLET_WITH_${name})
            set(state "off: its library is not found")
        else()
            set(state "off: INLET_WITH_${name}=OFF")
        endif()
    endif()
    set(INLET_HAS_${name} ${has} PARENT_SCOPE)
    message(STATUS "Feature ${name} (${description}): ${state}")
    set(inlet_feature_defines "${inlet_feature_defines}// ${description}\n#define INLET_HAS_${name} ${has}\n"
        PARENT_SCOPE)
endfunction()

# The features.
inlet_feature(SVG "the drawing as SVG (Qt Svg)" TARGET Qt6::Svg)

find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
    pkg_check_modules(xlsxwriter QUIET IMPORTED_TARGET GLOBAL xlsxwriter)
endif()
inlet_feature(XLSX "Excel workbooks (libxlsxwriter)" TARGET PkgConfig::xlsxwriter)

# Without it the calculation sheet's ODT is still written, by Qt's own ODF writer: no page
# styles, no header or footer, a contents list of fixed text.
if(PKG_CONFIG_FOUND)
    pkg_check_modules(odfgen QUIET IMPORTED_TARGET GLOBAL libodfgen-0.1 librevenge-0.0)
endif()
find_package(ZLIB QUIET)
inlet_feature(ODT "the calculation sheet's ODT with page styles, header and contents (libodfgen)"
              TARGET PkgConfig::odfgen AND TARGET ZLIB::ZLIB AND TARGET Qt6::Svg)

# The solid, STEP and STL where OpenCASCADE is there (INLET_BUILD_SOLID=OFF leaves them out as
# well); without it the program is the same, less those menu entries, options and formats.
if(INLET_BUILD_SOLID)
    find_package(OpenCASCADE QUIET)
endif()
inlet_feature(SOLID "the passage as a solid, STEP and STL (OpenCASCADE)" INLET_BUILD_SOLID AND OpenCASCADE_FOUND)
set(INLET_HAVE_SOLID ${INLET_HAS_SOLID})  # the name the solid's own CMake files use

# The optimiser of a study (--optimise): NLopt's COBYLA.
if(PKG_CONFIG_FOUND)
    pkg_check_modules(nlopt QUIET IMPORTED_TARGET GLOBAL nlopt)
endif()
inlet_feature(NLOPT "the optimiser of a study (NLopt)" TARGET PkgConfig::nlopt)

# The study window (设计 → 方案比选…), its table and charts of a study's variants (Qt Charts,
# in the module inlet-study).
inlet_feature(CHARTS "the study window with its charts (Qt Charts)" TARGET Qt6::Charts)

file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/features/InletFeatures.h
     CONTENT "#pragma once\n\n// Which optional features this build has (cmake/InletFeatures.cmake).\n\n${inlet_feature_defines}"
     @ONLY)
add_library(inlet_features INTERFACE)
# Features.h (modules/) is what the code asks.
target_include_directories(inlet_features INTERFACE ${PROJECT_BINARY_DIR}/features ${PROJECT_SOURCE_DIR}/modules)
