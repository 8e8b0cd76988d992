# Runs `varnex session SCRIPT` as a user would and compares what it printed.
#   -DVARNEX=program -DLIBRARY=feature folder -DSCRIPT=file -DEXPECTED=expected stdout
#   [-DERRORS=expected stderr] [-DSTATUS=expected exit status, 0 by default]
# Update times ("in 12.3 ms") compare as "in ... ms".
set(ENV{NOVLPath} ${LIBRARY})
execute_process(COMMAND ${VARNEX} session ${SCRIPT}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT DEFINED STATUS)
  set(STATUS 0)
endif()
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\nstdout: ${out}\nstderr: ${err}")
endif()
# Times vary from run to run: "in 12.3 ms" compares as "in ... ms".
string(REGEX REPLACE " in [0-9.]+ ms" " in ... ms" out "${out}")
file(READ ${EXPECTED} expected)
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "printed:\n${out}\nexpected:\n${expected}")
endif()
if(DEFINED ERRORS)
  file(READ ${ERRORS} expected_errors)
  string(REPLACE "SCRIPT" "${SCRIPT}" expected_errors "${expected_errors}")
  if(NOT err STREQUAL expected_errors)
    message(FATAL_ERROR "stderr:\n${err}\nexpected:\n${expected_errors}")
  endif()
elseif(NOT err STREQUAL "")
  message(FATAL_ERROR "unexpected stderr:\n${err}")
endif()
