# vellum_incbin(TARGET target FUNCTION name FILES path=file ...)
#
# Embeds files in a program so that "incbin::path" opens them. The build
# generates a source file defining `void name()`, which registers every
# block; the program calls it once at start-up.
function(vellum_incbin)
  cmake_parse_arguments(ARG "" "TARGET;FUNCTION" "FILES" ${ARGN})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${ARG_FUNCTION}_incbin.cpp)
  set(inputs)
  set(pairs)
  foreach(pair IN LISTS ARG_FILES)
    string(FIND "${pair}" "=" eq)
    math(EXPR after "${eq} + 1")
    string(SUBSTRING "${pair}" ${after} -1 file)
    get_filename_component(file "${file}" ABSOLUTE)
    string(SUBSTRING "${pair}" 0 ${eq} name)
    list(APPEND inputs ${file})
    list(APPEND pairs "${name}=${file}")
  endforeach()
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} "-DFUNCTION=${ARG_FUNCTION}" "-DOUTPUT=${output}"
            "-DPAIRS=${pairs}" -P ${PROJECT_SOURCE_DIR}/cmake/incbin_generate.cmake
    DEPENDS ${inputs} ${PROJECT_SOURCE_DIR}/cmake/incbin_generate.cmake
    COMMENT "Embedding files for ${ARG_TARGET}")
  target_sources(${ARG_TARGET} PRIVATE ${output})
endfunction()
