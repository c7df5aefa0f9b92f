vellum_add_test(graphics_display_tests LABEL display
  SOURCES graphics_context_test.cpp window_input_test.cpp
  LIBRARIES vellum_graphics)
find_package(SDL2 REQUIRED)
target_link_libraries(graphics_display_tests PRIVATE SDL2::SDL2)

vellum_add_test(drawing_display_tests LABEL display
  SOURCES drawing_test.cpp image_draw_test.cpp
  LIBRARIES vellum_graphics)
set(OpenGL_GL_PREFERENCE LEGACY)
find_package(OpenGL REQUIRED)
target_link_libraries(drawing_display_tests PRIVATE OpenGL::GL)
