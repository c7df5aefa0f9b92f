# libvellum.so.<major>: every engine module in one shared library, for
# programs built outside this tree. It is made of the static modules' own
# objects (compiled position-independent for it), so the engine is compiled
# once; the game and the tests go on linking the static modules.
#
# SONAME libvellum.so.<major>, file libvellum.so.<major>.<minor>, both from
# the project's version.
#
# Exports: the modules compile with hidden visibility and every public header
# declares under "#pragma GCC visibility push(default)" (VellumModule.cmake,
# include/README.md), so the library exports what include/ declares and
# nothing else. A version script could only sort symbols by name, and the
# private classes share the namespace vellum with the public ones.
get_property(modules GLOBAL PROPERTY VELLUM_MODULES)
set(objects)
foreach(module IN LISTS modules)
  list(APPEND objects $<TARGET_OBJECTS:${module}>)
endforeach()
add_library(vellum_shared SHARED ${objects})
# The modules bring the third-party libraries their objects use; no member of
# their archives is taken, since every object is already in.
target_link_libraries(vellum_shared PRIVATE ${modules})
target_include_directories(vellum_shared
  PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
         $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/vellum>)
# Every symbol the library needs must be found when it is linked, not later
# in a program.
target_link_options(vellum_shared PRIVATE -Wl,--no-undefined)
set_target_properties(vellum_shared PROPERTIES
  OUTPUT_NAME vellum
  EXPORT_NAME vellum
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR})
