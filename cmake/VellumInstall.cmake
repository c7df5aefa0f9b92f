# What `cmake --install <build> --prefix <dir>` puts in place:
#
#   bin/tiderush                      a link to the game's real program
#   lib/tiderush/tiderush, Data/      the game and its data, side by side (the
#                                     game reads Data beside its real file)
#   share/applications/               the XDG desktop entry
#   share/icons/hicolor/<n>x<n>/apps/ the icon at 48, 128 and 256 pixels
#   share/metainfo/                   the AppStream metadata
#   include/vellum/                   the engine's public headers (include/)
#   <libdir>/libvellum_*.a            the engine's module libraries
#   <libdir>/cmake/Vellum/            the CMake package: find_package(Vellum)
#   share/doc/vellum/examples/        the examples, buildable against the package
include(CMakePackageConfigHelpers)

set(VELLUM_APP_ID org.vellumengine.Tiderush)
set(game_dir lib/tiderush)

# The game.
install(TARGETS tiderush RUNTIME DESTINATION ${game_dir} COMPONENT game)
install(DIRECTORY ${PROJECT_BINARY_DIR}/Data DESTINATION ${game_dir} COMPONENT game)
install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bin}\")
  file(REMOVE \"\${bin}/tiderush\")
  file(RELATIVE_PATH target \"\${bin}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${game_dir}/tiderush\")
  message(STATUS \"Installing: \${bin}/tiderush -> \${target}\")
  file(CREATE_LINK \"\${target}\" \"\${bin}/tiderush\" SYMBOLIC)
" COMPONENT game)
install(FILES dist/${VELLUM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT game)
install(FILES dist/${VELLUM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT game)
foreach(size 48 128 256)
  install(FILES ${PROJECT_BINARY_DIR}/icons/${size}x${size}/apps/${VELLUM_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps COMPONENT game)
endforeach()

# The engine: its public headers, exactly include/, under include/vellum/ so
# that "vellum.h" and "graphics/pixmap.h" resolve and nothing else is added
# to the global include namespace.
install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vellum COMPONENT engine
  FILES_MATCHING PATTERN "*.h")
get_property(modules GLOBAL PROPERTY VELLUM_MODULES)
install(TARGETS ${modules} vellum EXPORT VellumTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT engine
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vellum)
set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Vellum)
install(EXPORT VellumTargets NAMESPACE Vellum:: DESTINATION ${package_dir} COMPONENT engine)
configure_package_config_file(cmake/VellumConfig.cmake.in ${PROJECT_BINARY_DIR}/VellumConfig.cmake
  INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VellumConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VellumConfig.cmake ${PROJECT_BINARY_DIR}/VellumConfigVersion.cmake
  DESTINATION ${package_dir} COMPONENT engine)
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vellum/examples COMPONENT engine)
