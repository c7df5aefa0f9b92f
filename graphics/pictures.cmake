# Pixel buffers, the picture loaders (PNG, JPEG, BMP, TGA) and TrueType fonts.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(Freetype REQUIRED)

target_sources(vellum_graphics PRIVATE
  byte_reader.cpp
  bmp_loader.cpp
  font.cpp
  font_module.cpp
  freetype_font.cpp
  freetype_glyph.cpp
  jpeg_loader.cpp
  pixmap.cpp
  pixmap_convert.cpp
  pixmap_functions.cpp
  pixmap_loader.cpp
  pixmap_mask.cpp
  pixmap_module.cpp
  pixmap_resize.cpp
  png_loader.cpp
  tga_loader.cpp
)
target_link_libraries(vellum_graphics PRIVATE PNG::PNG JPEG::JPEG Freetype::Freetype)
