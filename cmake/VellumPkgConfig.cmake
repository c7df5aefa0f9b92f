# vellum.pc, so that `c++ main.cpp $(pkg-config --cflags --libs vellum)`
# builds a program against the installed engine, shared or static. The
# prefix is the one the files are installed to, which is only known at
# install time (`cmake --install --prefix`, the packages' /usr).
if(VELLUM_SHARED_LIBRARY)
  # The library's own dependencies are in its ELF needs; a program links it alone.
  set(VELLUM_PC_REQUIRES "")
  set(VELLUM_PC_LIBS "-lvellum")
else()
  # Static modules, the users first; their libraries must be linked too.
  set(VELLUM_PC_REQUIRES "sdl2 gl libpng libjpeg freetype2 openal vorbisfile ogg")
  set(VELLUM_PC_LIBS "-lvellum_audio -lvellum_graphics -lvellum_system -lvellum_stream -lvellum_runtime -pthread")
  if(VELLUM_SANITIZE)
    string(APPEND VELLUM_PC_LIBS " -fsanitize=address,undefined")
  endif()
endif()
set(VELLUM_PC_PREFIX "@VELLUM_PC_PREFIX@")  # kept for the install step
configure_file(cmake/vellum.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/vellum.pc.in @ONLY)
install(CODE "
  set(VELLUM_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  configure_file(\"${PROJECT_BINARY_DIR}/pkgconfig/vellum.pc.in\" \"${PROJECT_BINARY_DIR}/pkgconfig/vellum.pc\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig\" TYPE FILE
    FILES \"${PROJECT_BINARY_DIR}/pkgconfig/vellum.pc\")
" COMPONENT development)
