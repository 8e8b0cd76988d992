# Runs `varnex export` as a user would and checks what it printed and wrote.
#   -DVARNEX=program -DLIBRARY=feature folder -DOUTPUT=file -DARGS=feature;NAME=VALUE;...
#   -DVOLUME=expected volume text -DMAGIC=text the file's first 512 bytes must hold
file(REMOVE ${OUTPUT})
set(ENV{NOVLPath} ${LIBRARY})
execute_process(COMMAND ${VARNEX} export ${ARGS} -o ${OUTPUT}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "exit status ${status}\nstdout: ${out}\nstderr: ${err}")
endif()
if(NOT out STREQUAL "volume = ${VOLUME}\n")
  message(FATAL_ERROR "printed '${out}', expected 'volume = ${VOLUME}'")
endif()
if(NOT EXISTS ${OUTPUT})
  message(FATAL_ERROR "${OUTPUT} was not written")
endif()
file(READ ${OUTPUT} head LIMIT 512)
string(FIND "${head}" "${MAGIC}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "${OUTPUT} does not start like its format ('${MAGIC}')")
endif()
