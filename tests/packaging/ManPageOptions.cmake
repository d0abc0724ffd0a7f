# Checks that the manual page has an entry (.TP) for every long option that PROGRAM --help
# names.
#   PROGRAM  the executable
#   PAGE     its manual page (troff, uncompressed)
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help exited with status ${status}")
endif()
file(READ ${PAGE} page)
# "--NAME=TEXT", the other way of writing any option, is left out.
string(REGEX MATCHALL "--[A-Za-z0-9][A-Za-z0-9-]*=?" options "${help}")
list(FILTER options EXCLUDE REGEX "=$")
list(REMOVE_DUPLICATES options)
set(missing)
foreach(option ${options})
    # troff writes each hyphen of an option as \-; the entry's tag is the line after .TP.
    string(REPLACE "-" "\\\\-" written "${option}")
    if(NOT page MATCHES "\n\\.TP\n[^\n]*${written}([^A-Za-z0-9-]|\n)")
        list(APPEND missing ${option})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "${PAGE} has no entry for ${missing}, which ${PROGRAM} --help names")
endif()
message(STATUS "${PAGE} has an entry for each of ${options}")
