# The program's modules: shared libraries loaded the first time they are needed, by the loader
# in modules/ (ModuleLoader.h). Declared with
#     inlet_loadable_module(<name> SOURCES <file>... LOADED_BY <library>)
# which builds the module <name> where a program run from the build tree finds it, installs it
# where an installed program finds it, and builds it with <library> (the library whose code
# loads it), so that every program that links <library> has it. Link what the module needs
# with target_link_libraries(<name> PRIVATE ...).
include(GNUInstallDirs)

# The file name: libinlet-output.so on Linux, inlet-output.dll on Windows.
if(WIN32)
    set(INLET_MODULE_PREFIX "")
    # A Windows program keeps its DLLs beside itself.
    set(INLET_MODULES_INSTALLED ${CMAKE_INSTALL_BINDIR})
    set(modules_installed_full ${CMAKE_INSTALL_FULL_BINDIR})
else()
    set(INLET_MODULE_PREFIX "lib")
    set(INLET_MODULES_INSTALLED ${CMAKE_INSTALL_LIBDIR}/inlet)
    set(modules_installed_full ${CMAKE_INSTALL_FULL_LIBDIR}/inlet)
endif()
set(INLET_MODULE_SUFFIX ${CMAKE_SHARED_MODULE_SUFFIX})
# Where the modules are installed, relative to the programs' folder.
file(RELATIVE_PATH INLET_MODULES_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR} ${modules_installed_full})
# Where they are built: one folder for all.
set(INLET_MODULES_BUILT ${PROJECT_BINARY_DIR}/modules)

function(inlet_loadable_module name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "LOADED_BY" "SOURCES")
    add_library(${name} MODULE ${arg_SOURCES})
    set_target_properties(${name} PROPERTIES
        PREFIX "${INLET_MODULE_PREFIX}"
        SUFFIX "${INLET_MODULE_SUFFIX}"
        LIBRARY_OUTPUT_DIRECTORY ${INLET_MODULES_BUILT})
    install(TARGETS ${name} LIBRARY DESTINATION ${INLET_MODULES_INSTALLED})
    add_dependencies(${arg_LOADED_BY} ${name})
    target_link_libraries(${arg_LOADED_BY} PRIVATE inlet_modules)
endfunction()
