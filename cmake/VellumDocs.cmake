# The API reference: `cmake --build <build> --target docs` runs Doxygen over
# include/ and the getting-started page into <build>/docs/html. It is part of
# the default build, so that the package has it; Doxygen runs again only when
# a header, a page, an example or a picture changed.
set(VELLUM_DOCS_DIR ${PROJECT_BINARY_DIR}/docs)
configure_file(docs/Doxyfile.in ${VELLUM_DOCS_DIR}/Doxyfile @ONLY)
file(GLOB_RECURSE docs_inputs CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/include/*.h ${PROJECT_SOURCE_DIR}/docs/*.md
  ${PROJECT_SOURCE_DIR}/docs/screenshots/*.png ${PROJECT_SOURCE_DIR}/examples/*.cpp)
add_custom_command(OUTPUT ${VELLUM_DOCS_DIR}/html/index.html
  # A fresh folder each time: nothing of an older run stays in the reference.
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VELLUM_DOCS_DIR}/html
  COMMAND Doxygen::doxygen ${VELLUM_DOCS_DIR}/Doxyfile
  DEPENDS ${docs_inputs} ${VELLUM_DOCS_DIR}/Doxyfile
  COMMENT "Writing the API reference to ${VELLUM_DOCS_DIR}/html")
add_custom_target(docs ALL DEPENDS ${VELLUM_DOCS_DIR}/html/index.html)
