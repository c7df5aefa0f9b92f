# cmake -DINCLUDE_DIR=<include> -P check_exports.cmake
# libvellum.so hides everything but what include/ declares: each public
# header's declarations sit between "#pragma GCC visibility push(default)"
# and "pop". A header without them would leave its functions out of the
# shared library, and programs linked against it would not find them.
file(GLOB_RECURSE headers RELATIVE "${INCLUDE_DIR}" "${INCLUDE_DIR}/*.h")
set(bad)
foreach(header IN LISTS headers)
  file(READ "${INCLUDE_DIR}/${header}" text)
  if(NOT text MATCHES "namespace vellum {")
    continue()  # only includes others
  endif()
  string(REGEX MATCHALL "namespace vellum {" blocks "${text}")
  list(LENGTH blocks count)
  if(NOT count EQUAL 1
     OR NOT text MATCHES "#pragma GCC visibility push\\(default\\)\nnamespace vellum {"
     OR NOT text MATCHES "}  // namespace vellum\n#pragma GCC visibility pop")
    list(APPEND bad ${header})
  endif()
endforeach()
if(bad)
  list(JOIN bad "\n  " text)
  message(FATAL_ERROR "Public headers whose declarations are not wrapped in "
    "\"#pragma GCC visibility push(default)\" ... \"pop\" (one namespace vellum block):\n  ${text}")
endif()
