# Runs one varnex command as a feature author would and checks its exit status and what it
# printed on stdout and on stderr.
#   -DVARNEX=program -DLIBRARY=feature folder (NOVLPath) -DARGS=command;arguments...
#   -DSTATUS=expected exit status
#   -DSTDOUT=regular expression stdout must match (optional)
#   -DSTDERR=regular expression stderr must match (optional)
#   -DNO_STDERR=ON: stderr must be empty
set(ENV{NOVLPath} ${LIBRARY})
execute_process(COMMAND ${VARNEX} ${ARGS}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(report "exit status ${status}\nstdout:\n${out}\nstderr:\n${err}")
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "expected exit status ${STATUS}; ${report}")
endif()
if(DEFINED STDOUT AND NOT out MATCHES "${STDOUT}")
  message(FATAL_ERROR "stdout does not match '${STDOUT}'; ${report}")
endif()
if(DEFINED STDERR AND NOT err MATCHES "${STDERR}")
  message(FATAL_ERROR "stderr does not match '${STDERR}'; ${report}")
endif()
if(NO_STDERR AND NOT err STREQUAL "")
  message(FATAL_ERROR "expected nothing on stderr; ${report}")
endif()
