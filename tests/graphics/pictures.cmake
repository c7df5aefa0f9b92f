# The tests write their PNG and JPEG files with libpng and libjpeg themselves.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)

vellum_add_test(pictures_tests LABEL unit
  SOURCES
    bmp_loader_test.cpp
    font_test.cpp
    jpeg_loader_test.cpp
    picture_test_util.cpp
    pixmap_loader_test.cpp
    pixmap_test.cpp
    png_loader_test.cpp
    tga_loader_test.cpp
  LIBRARIES vellum_graphics PNG::PNG JPEG::JPEG)
