# Runs TOOL with ARGS (after TOOL with SETUP, where given) and checks its exit
# status (EXIT) and that its output matches the regular expression EXPECT.
if(SETUP)
  execute_process(COMMAND ${TOOL} ${SETUP} COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND ${TOOL} ${ARGS} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL EXIT)
  message(FATAL_ERROR "exit ${rc}, expected ${EXIT}\n${out}${err}")
endif()
if(NOT out MATCHES "${EXPECT}")
  message(FATAL_ERROR "output does not match '${EXPECT}':\n${out}")
endif()
