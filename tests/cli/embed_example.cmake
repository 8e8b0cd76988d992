# Installs Varnex from BUILD_DIR into a fresh prefix under WORK_DIR, then configures, builds and
# runs examples/embed against that prefix, as a host developer would. Fails on any step.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... [-DEXTRA_FLAGS=...] -P embed_example.cmake
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}\n${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/embed -B ${WORK_DIR}/build -G Ninja
    -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_CXX_FLAGS=${EXTRA_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${EXTRA_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${CMAKE_COMMAND} -E env NOVLPath=${prefix}/share/varnex/features/ ${WORK_DIR}/build/embed_host)
message("${last_output}")
if(NOT last_output MATCHES "2 \\* 21 = 42\nhex_nut_@1 volume = 624\\.603")
  message(FATAL_ERROR "unexpected output of the example host:\n${last_output}")
endif()
