# Runs a varnex command and compares its stdout with a file, byte for byte (tabs included).
#   -DVARNEX=program -DARGS=semicolon-separated arguments -DEXPECTED=expected stdout
execute_process(COMMAND ${VARNEX} ${ARGS} RESULT_VARIABLE status OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "exit status ${status}\nstderr: ${err}")
endif()
file(READ ${EXPECTED} expected)
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "printed:\n${out}\nexpected:\n${expected}")
endif()
