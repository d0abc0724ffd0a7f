# Installs the build into PREFIX as `cmake --install` installs it for a user, and gives the
# icons a hicolor theme index, as the system's hicolor-icon-theme package does.
#   BUILD   the build folder
#   PREFIX  where to install
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install ${BUILD} --prefix ${PREFIX} failed (${status})")
endif()
file(WRITE ${PREFIX}/share/icons/hicolor/index.theme [[
[Icon Theme]
Name=Hicolor
Directories=16x16/apps,32x32/apps,48x48/apps,scalable/apps

[16x16/apps]
Size=16
Type=Fixed

[32x32/apps]
Size=32
Type=Fixed

[48x48/apps]
Size=48
Type=Fixed

[scalable/apps]
Size=128
MinSize=8
MaxSize=512
Type=Scalable
]])
