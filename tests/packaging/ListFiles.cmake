# Compares the files under a folder with a list of the files expected there.
#   ROOT      the folder
#   EXPECTED  the expected files, one path relative to ROOT a line
#   IGNORE    optional regular expression of paths to leave out
file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${ROOT} ${ROOT}/*)
if(IGNORE)
    list(FILTER found EXCLUDE REGEX "${IGNORE}")
endif()
list(SORT found)
file(STRINGS ${EXPECTED} expected)
list(SORT expected)
set(missing ${expected})
list(REMOVE_ITEM missing ${found})
set(unexpected ${found})
list(REMOVE_ITEM unexpected ${expected})
if(missing OR unexpected)
    list(JOIN missing "\n  " missing)
    list(JOIN unexpected "\n  " unexpected)
    message(FATAL_ERROR "${ROOT}\nmissing:\n  ${missing}\nnot expected:\n  ${unexpected}")
endif()
