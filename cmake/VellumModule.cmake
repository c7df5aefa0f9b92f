# vellum_module(name SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# One static library per engine module. Its public headers come from the
# tree's include/ folder; the module's own folder, with its private headers,
# is visible to the module alone. The target <name>_internals opens that
# folder to the module's own tests, benchmarks and fuzzers.
function(vellum_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name}
    PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
    PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS} vellum_warnings)
  add_library(${name}_internals INTERFACE)
  target_include_directories(${name}_internals INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name}_internals INTERFACE ${name})
endfunction()
