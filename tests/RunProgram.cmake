# Runs a program and compares what it prints with the expected files.
#   PROGRAM   the executable
#   ARGS      its arguments (a list)
#   EXPECTED  the expected standard output; EXPECTED.err, if present, the expected standard error
#   STATUS    the expected exit status
#   INPUT     optional file for standard input
#   EMULATOR  optional program that runs PROGRAM (Wine, for a Windows build)
set(input_option)
if(INPUT AND EXISTS "${INPUT}")
    set(input_option INPUT_FILE ${INPUT})
endif()
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGS} ${input_option}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
file(READ ${EXPECTED} expected_out)
set(expected_err "")
if(EXISTS ${EXPECTED}.err)
    file(READ ${EXPECTED}.err expected_err)
endif()
set(problems "")
if(NOT status STREQUAL STATUS)
    string(APPEND problems "exit status ${status}, expected ${STATUS}\n")
endif()
if(NOT out STREQUAL expected_out)
    string(APPEND problems "standard output:\n${out}\nexpected:\n${expected_out}\n")
endif()
if(NOT err STREQUAL expected_err)
    string(APPEND problems "standard error:\n${err}\nexpected:\n${expected_err}\n")
endif()
if(problems)
    get_filename_component(name ${PROGRAM} NAME)
    message(FATAL_ERROR "${name} ${ARGS}\n${problems}")
endif()
