# What `cmake --install <build> --prefix <dir>` puts in place, in three
# components (the three Debian packages of VellumPackage.cmake):
#
# game
#   bin/tiderush                      a link to the game's real program
#                                     (games/tiderush when the prefix is /usr)
#   lib/tiderush/tiderush, Data/      the game and its data, side by side (the
#                                     game reads Data beside its real file)
#   share/applications/               the XDG desktop entry
#   share/icons/hicolor/<n>x<n>/apps/ the icon at 48, 128 and 256 pixels
#   share/metainfo/                   the AppStream metadata
#   share/man/man6/tiderush.6.gz      the manual page
# library (VELLUM_SHARED_LIBRARY only)
#   <libdir>/libvellum.so.<major>     the engine as one shared library
# development
#   include/vellum/                   the engine's public headers (include/)
#   <libdir>/libvellum.so             the link to the shared library, or
#   <libdir>/libvellum_*.a            without it, the engine's static modules
#   <libdir>/cmake/Vellum/            the CMake package: find_package(Vellum)
#   <libdir>/pkgconfig/vellum.pc      the pkg-config file
#   share/doc/vellum/html/            the API reference (when Doxygen is there)
#   share/doc/vellum/examples/        the examples, buildable against the package
# and in each, share/doc/<package>/copyright and changelog.gz.
include(CMakePackageConfigHelpers)

set(VELLUM_APP_ID org.vellumengine.Tiderush)
set(game_dir lib/tiderush)
set(VELLUM_LIBRARY_PACKAGE libvellum${PROJECT_VERSION_MAJOR})

# The game.
install(TARGETS tiderush RUNTIME DESTINATION ${game_dir} COMPONENT game)
install(DIRECTORY ${PROJECT_BINARY_DIR}/Data DESTINATION ${game_dir} COMPONENT game)
# Debian keeps the programs of games in /usr/games; other prefixes get bin/.
install(CODE "
  set(bin \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(bin /usr/games)
  endif()
  set(bin \"\$ENV{DESTDIR}\${bin}\")
  file(MAKE_DIRECTORY \"\${bin}\")
  file(REMOVE \"\${bin}/tiderush\")
  file(RELATIVE_PATH target \"\${bin}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${game_dir}/tiderush\")
  message(STATUS \"Installing: \${bin}/tiderush -> \${target}\")
  file(CREATE_LINK \"\${target}\" \"\${bin}/tiderush\" SYMBOLIC)
" COMPONENT game)
install(FILES dist/${VELLUM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT game)
configure_file(dist/${VELLUM_APP_ID}.metainfo.xml.in ${PROJECT_BINARY_DIR}/dist/${VELLUM_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/dist/${VELLUM_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT game)
foreach(size 48 128 256)
  install(FILES ${PROJECT_BINARY_DIR}/icons/${size}x${size}/apps/${VELLUM_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps COMPONENT game)
endforeach()

# Files made at build time: the manual page and the changelog, gzipped as
# Debian wants them (-n: no name or time inside, the same bytes every time).
find_program(GZIP gzip REQUIRED)
function(vellum_gzip_configured template output)
  configure_file(${template} ${PROJECT_BINARY_DIR}/dist/${output} @ONLY)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/dist/${output}.gz
    COMMAND ${GZIP} -9nf -k ${PROJECT_BINARY_DIR}/dist/${output}
    DEPENDS ${PROJECT_BINARY_DIR}/dist/${output}
    COMMENT "Compressing ${output}")
endfunction()
execute_process(COMMAND date -u -R -d "${TIDERUSH_RELEASE_DATE} 12:00" OUTPUT_VARIABLE TIDERUSH_RELEASE_DATE_RFC2822
  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
vellum_gzip_configured(dist/tiderush.6.in tiderush.6)
vellum_gzip_configured(dist/changelog.in changelog)
add_custom_target(tiderush_dist_files ALL DEPENDS ${PROJECT_BINARY_DIR}/dist/tiderush.6.gz
  ${PROJECT_BINARY_DIR}/dist/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/dist/tiderush.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)

# Each package's copyright and changelog, where Debian looks for them.
set(package_docs game tiderush development libvellum-dev)
if(VELLUM_SHARED_LIBRARY)
  list(APPEND package_docs library ${VELLUM_LIBRARY_PACKAGE})
endif()
while(package_docs)
  list(POP_FRONT package_docs component package)
  install(FILES dist/copyright ${PROJECT_BINARY_DIR}/dist/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endwhile()

# The engine: its public headers, exactly include/, under include/vellum/ so
# that "vellum.h" and "graphics/pixmap.h" resolve and nothing else is added
# to the global include namespace.
install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vellum COMPONENT development
  FILES_MATCHING PATTERN "*.h")
if(VELLUM_SHARED_LIBRARY)
  install(TARGETS vellum_shared EXPORT VellumTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library NAMELINK_COMPONENT development
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vellum)
else()
  get_property(modules GLOBAL PROPERTY VELLUM_MODULES)
  install(TARGETS ${modules} vellum EXPORT VellumTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vellum)
endif()
set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Vellum)
install(EXPORT VellumTargets NAMESPACE Vellum:: DESTINATION ${package_dir} COMPONENT development)
set(VELLUM_STATIC_PACKAGE ON)
if(VELLUM_SHARED_LIBRARY)
  set(VELLUM_STATIC_PACKAGE OFF)
endif()
configure_package_config_file(cmake/VellumConfig.cmake.in ${PROJECT_BINARY_DIR}/VellumConfig.cmake
  INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VellumConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VellumConfig.cmake ${PROJECT_BINARY_DIR}/VellumConfigVersion.cmake
  DESTINATION ${package_dir} COMPONENT development)
include(VellumPkgConfig)
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vellum/examples COMPONENT development)
if(TARGET docs)
  # OPTIONAL: a build of single targets may not have made it.
  install(DIRECTORY ${PROJECT_BINARY_DIR}/docs/html DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vellum COMPONENT development
    OPTIONAL)
endif()
