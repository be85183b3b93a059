# Runs PROGRAM MODE and checks its exit code and what it printed.
execute_process(COMMAND ${PROGRAM} ${MODE} RESULT_VARIABLE code OUTPUT_VARIABLE output
                ERROR_VARIABLE errors TIMEOUT 60)
if(NOT code STREQUAL EXPECTED_CODE)
  message(FATAL_ERROR "exit code ${code}, expected ${EXPECTED_CODE}\n${output}\n${errors}")
endif()
if(NOT output MATCHES "${EXPECTED_OUTPUT}")
  message(FATAL_ERROR "printed \"${output}\", expected \"${EXPECTED_OUTPUT}\"")
endif()
