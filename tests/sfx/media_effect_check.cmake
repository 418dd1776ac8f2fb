# Runs TOOL effect FILE and checks its exit status (EXIT) and that its output
# matches the regular expression EXPECT.
execute_process(COMMAND ${TOOL} effect ${FILE} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL EXIT)
  message(FATAL_ERROR "exit ${rc}, expected ${EXIT}\n${out}${err}")
endif()
if(NOT out MATCHES "${EXPECT}")
  message(FATAL_ERROR "output does not match '${EXPECT}':\n${out}")
endif()
