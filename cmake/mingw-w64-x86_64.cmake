# Cross-building for 64-bit Windows on Debian with MinGW-w64 (posix threads, g++-mingw-w64-x86-64-posix).
#
# INLET_WINDOWS_PREFIX names the folder that holds the Qt for Windows (qt6-win/) and dxflib
# (dxflib/) unpacked from their archive; scripts/build-windows unpacks them and sets it. Qt's
# moc, rcc and uic run on the build machine: Debian's qt6-base-dev-tools of the same version.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# The toolchain file is read again for every compiler check and every later configure: the
# prefix is kept in the cache, from -D or from the environment of the first run.
if(NOT INLET_WINDOWS_PREFIX AND DEFINED ENV{INLET_WINDOWS_PREFIX})
    set(INLET_WINDOWS_PREFIX "$ENV{INLET_WINDOWS_PREFIX}" CACHE PATH "Where qt6-win/ and dxflib/ are unpacked")
endif()
if(INLET_WINDOWS_PREFIX)
    set(ENV{INLET_WINDOWS_PREFIX} "${INLET_WINDOWS_PREFIX}")
    list(PREPEND CMAKE_PREFIX_PATH "${INLET_WINDOWS_PREFIX}/qt6-win")
    set(ENV{PKG_CONFIG_LIBDIR} "${INLET_WINDOWS_PREFIX}/dxflib/lib/pkgconfig")
    set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${INLET_WINDOWS_PREFIX}/qt6-win" "${INLET_WINDOWS_PREFIX}/dxflib")
else()
    set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's build tools come from the build machine.
set(QT_HOST_PATH /usr CACHE PATH "Where the build machine's Qt tools are")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "The build machine's Qt CMake packages")
