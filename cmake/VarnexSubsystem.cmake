# varnex_subsystem(NAME SOURCES ... [DEPENDS other_subsystem ...] [LIBS external ...])
#
# Declares one subsystem as an object library varnex_NAME. Its objects go into libvarnex.so and
# into the static varnex_internal archive used by tests and benchmarks. Internal headers are
# included relative to src/ ("base/number_format.h"); public ones as <varnex/...>.
#
# DEPENDS names the subsystems this one may call. The subsystem compiles against one include
# root of its own (build/include_roots/NAME) that holds only its own headers and those of the
# subsystems it names, so an include of any other subsystem's header fails to compile. LIBS are external libraries, linked privately: other subsystems do
# not see them, and the final libraries link them through VARNEX_EXTERNAL_LIBS.
#
# The declared graph is also written to build/subsystems.txt, one line "NAME: DEPS...", which
# the include_graph test checks every #include of the sources against.
function(varnex_subsystem name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LIBS" ${ARGN})
  set(target varnex_${name})
  add_library(${target} OBJECT ${ARG_SOURCES})

  # The subsystems visible to this one: itself and those it names. A dependency's own
  # dependencies are not visible through it; name them too when their headers are needed.
  set(visible ${name})
  foreach(dep IN LISTS ARG_DEPENDS)
    if(NOT TARGET varnex_${dep})
      message(FATAL_ERROR "subsystem ${name} depends on ${dep}, which is not declared before it")
    endif()
    list(APPEND visible ${dep})
  endforeach()

  set(root ${PROJECT_BINARY_DIR}/include_roots/${name})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/varnex)
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/include/varnex/export.h ${root}/varnex/export.h SYMBOLIC)
  foreach(sub IN LISTS visible)
    if(EXISTS ${PROJECT_SOURCE_DIR}/include/varnex/${sub})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/include/varnex/${sub} ${root}/varnex/${sub} SYMBOLIC)
    endif()
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${sub} ${root}/${sub} SYMBOLIC)
  endforeach()

  target_include_directories(${target} PRIVATE ${root} ${CMAKE_CURRENT_BINARY_DIR})
  target_compile_definitions(${target} PRIVATE VARNEX_BUILDING_LIBRARY)
  foreach(dep IN LISTS ARG_DEPENDS)
    target_link_libraries(${target} PRIVATE varnex_${dep})
  endforeach()
  if(ARG_LIBS)
    target_link_libraries(${target} PRIVATE ${ARG_LIBS})
    set_property(GLOBAL APPEND PROPERTY VARNEX_EXTERNAL_LIBS ${ARG_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY VARNEX_OBJECT_LIBS ${target})
  list(JOIN ARG_DEPENDS " " deps_text)
  set_property(GLOBAL APPEND PROPERTY VARNEX_SUBSYSTEM_GRAPH "${name}: ${deps_text}")
endfunction()
