find_package(SDL2 REQUIRED)
# SDL opens libGL itself; linking the same library keeps the driver loaded
# for the whole run instead of being unloaded and reloaded with every window.
set(OpenGL_GL_PREFERENCE LEGACY)
find_package(OpenGL REQUIRED)

target_sources(vellum_graphics PRIVATE
  default_font_data.cpp
  drawing.cpp
  drawing_context.cpp
  gl_image_frame.cpp
  gl_pixels.cpp
  gl_state.cpp
  gldrawing.cpp
  glgraphics.cpp
  glgraphics_sdl.cpp
  graphics.cpp
  image.cpp
  image_font.cpp
)
target_link_libraries(vellum_graphics PRIVATE SDL2::SDL2 OpenGL::GL)
