# inlet_windows_resources(TARGET DESCRIPTION): on Windows, the program's version resource
# (Chinese, PRC, the project's version), its icon group and its manifest (UTF-8 code page, DPI
# awareness, Windows 10 and 11). Elsewhere it does nothing.
function(inlet_windows_resources target description)
    if(NOT WIN32)
        return()
    endif()
    string(REPLACE "." "," INLET_RC_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
    set(INLET_MANIFEST_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
    set(INLET_RC_PROGRAM ${target})
    set(INLET_RC_DESCRIPTION "${description}")
    set(folder ${PROJECT_BINARY_DIR}/packaging/windows/${target})
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/inlet.rc.in ${folder}/${target}.rc @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/inlet.manifest ${folder}/inlet.manifest @ONLY)
    target_sources(${target} PRIVATE ${folder}/${target}.rc)
    target_include_directories(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:RC>:${PROJECT_SOURCE_DIR}/packaging/icons>
        $<$<COMPILE_LANGUAGE:RC>:${folder}>)
endfunction()
