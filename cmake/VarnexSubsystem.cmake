# varnex_subsystem(NAME SOURCES ... [DEPENDS other_subsystem ...] [LIBS external ...])
#
# Declares one subsystem as an object library varnex_NAME. Its objects go into libvarnex.so and
# into the static varnex_internal archive used by tests and benchmarks. Internal headers are
# included relative to src/ ("base/number_format.h"); public ones as <varnex/...>.
function(varnex_subsystem name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LIBS" ${ARGN})
  set(target varnex_${name})
  add_library(${target} OBJECT ${ARG_SOURCES})
  target_include_directories(${target}
    PUBLIC ${PROJECT_SOURCE_DIR}/include
    PRIVATE ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_BINARY_DIR})
  target_compile_definitions(${target} PRIVATE VARNEX_BUILDING_LIBRARY)
  foreach(dep IN LISTS ARG_DEPENDS)
    target_link_libraries(${target} PRIVATE varnex_${dep})
  endforeach()
  if(ARG_LIBS)
    target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY VARNEX_OBJECT_LIBS ${target})
endfunction()
