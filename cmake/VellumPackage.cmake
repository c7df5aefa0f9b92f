# Debian packages, one per install component:
#   cmake --build <build> --target package
# makes tiderush_<version>_<arch>.deb (the game), libvellum<major>_..._<arch>.deb
# (the shared library) and libvellum-dev_..._<arch>.deb (headers, the library's
# link, the CMake package, vellum.pc, the reference and the examples), all
# under /usr. dpkg-shlibdeps finds what each one's programs and libraries need.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tiderush)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vellum team")
set(CPACK_PACKAGE_CONTACT "The Vellum team <team@vellumengine.org>")
# The install steps see the prefix /usr itself, not the staging folder: the
# game's link goes to /usr/games and vellum.pc names /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game development)
if(VELLUM_SHARED_LIBRARY)
  list(APPEND CPACK_COMPONENTS_ALL library)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE tiderush)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_DEBIAN_GAME_PACKAGE_NAME tiderush)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_COMPONENT_GAME_DESCRIPTION "2D arcade game: steer a boat over ever faster water
TIDERUSH is a 2D arcade game. You steer a boat with the arrow keys or a
gamepad over water that scrolls ever faster, dodge rocks, collect pickups
that make the boat grow, and reach each level's goal before your three lives
run out.

Games can be recorded and replayed exactly, with the same rocks, the same
pickups and the same score.")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME ${VELLUM_LIBRARY_PACKAGE})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)  # only the library has one
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# ld.so's cache is brought up to date by dpkg's trigger, not by scripts.
configure_file(dist/triggers ${PROJECT_BINARY_DIR}/dist/library/triggers COPYONLY)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/dist/library/triggers)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/VellumDebScripts.cmake)
set(CPACK_COMPONENT_LIBRARY_DESCRIPTION "Vellum 2D game engine - shared library
Vellum is a small C++ engine for 2D games on Linux: streams and files, events
and polled keyboard, mouse and gamepad input, timers and random numbers,
graphics contexts over OpenGL, 2D drawing with images and TrueType fonts, and
sound with WAV and Ogg Vorbis samples, streamed music and channels.

This package holds the shared library that programs built on Vellum run with.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libvellum-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "Vellum 2D game engine - development files
Vellum is a small C++ engine for 2D games on Linux: streams and files, events
and polled keyboard, mouse and gamepad input, timers and random numbers,
graphics contexts over OpenGL, 2D drawing with images and TrueType fonts, and
sound with WAV and Ogg Vorbis samples, streamed music and channels.

This package holds what building a program on Vellum needs: the headers,
the CMake package (find_package(Vellum)), the pkg-config file vellum.pc, the
API reference and two example programs.")
if(VELLUM_SHARED_LIBRARY)
  set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS library)
else()
  # Static modules: a program links the libraries they use itself.
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "libsdl2-dev, libgl-dev, libpng-dev, libjpeg-dev, libfreetype-dev, libopenal-dev, libvorbis-dev")
endif()

include(CPack)
