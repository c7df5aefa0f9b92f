# vellum_module(name SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# One static library per engine module. Its public headers come from the
# tree's include/ folder (installed as <prefix>/include/vellum/); the module's
# own folder, with its private headers, is visible to the module alone. The
# target <name>_internals opens that folder to the module's own tests,
# benchmarks and fuzzers.
#
# Installed, the module is Vellum::<name without "vellum_">, part of the
# export set VellumTargets. Our own helper targets (warnings, other modules'
# internals) are build-time only; third-party libraries stay in the link
# interface, which the package's VellumConfig.cmake finds again.
function(vellum_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name}
    PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
           $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/vellum>
    PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  set(private)
  foreach(lib IN LISTS ARG_PRIVATE_LIBS)
    if(lib MATCHES "^vellum_")
      list(APPEND private $<BUILD_INTERFACE:${lib}>)
    else()
      list(APPEND private ${lib})
    endif()
  endforeach()
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${private} $<BUILD_INTERFACE:vellum_warnings>)
  # A sanitized static library needs the sanitizer runtime in every program
  # that links it, in the tree and through the installed package alike.
  if(VELLUM_SANITIZE)
    target_link_options(${name} INTERFACE -fsanitize=address,undefined)
  endif()
  # The shared library is made of these objects. It exports what include/
  # declares and nothing else: everything is hidden unless a public header,
  # under "#pragma GCC visibility push(default)", declared it.
  set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden)
  if(VELLUM_SHARED_LIBRARY)
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  endif()
  string(REGEX REPLACE "^vellum_" "" export_name ${name})
  set_target_properties(${name} PROPERTIES EXPORT_NAME ${export_name})
  set_property(GLOBAL APPEND PROPERTY VELLUM_MODULES ${name})
  add_library(${name}_internals INTERFACE)
  target_include_directories(${name}_internals INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name}_internals INTERFACE ${name})
endfunction()
