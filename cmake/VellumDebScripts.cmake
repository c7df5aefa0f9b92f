# Run by CPack after the packages are made (CPACK_POST_BUILD_SCRIPTS). CPack
# gives a package with a library in /usr/lib postinst and postrm scripts
# that call ldconfig; the package's ldconfig trigger already does that, and
# Debian wants the trigger alone. The library package is packed again
# without the two scripts, everything else kept as it was.
find_program(DPKG_DEB dpkg-deb REQUIRED)
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  get_filename_component(name "${deb}" NAME)
  if(NOT name MATCHES "^libvellum[0-9]+_")
    continue()
  endif()
  set(tree "${CPACK_TOPLEVEL_DIRECTORY}/repack")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND ${DPKG_DEB} --raw-extract "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE "${tree}/DEBIAN/postinst" "${tree}/DEBIAN/postrm")
  execute_process(COMMAND ${DPKG_DEB} --root-owner-group -Zxz --build "${tree}" "${deb}"
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
