# Runs tavrinel-cli with ARGS (a ;-list) and compares its standard output
# byte for byte with the file EXPECTED.
separate_arguments(args UNIX_COMMAND "${ARGS}")
execute_process(COMMAND "${CLI}" ${args}
                OUTPUT_VARIABLE actual
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tavrinel-cli exited with ${status}")
endif()
file(READ "${EXPECTED}" expected)
if(NOT actual STREQUAL expected)
  file(WRITE "${EXPECTED}.actual" "${actual}")
  message(FATAL_ERROR "output differs from ${EXPECTED}; see ${EXPECTED}.actual")
endif()
