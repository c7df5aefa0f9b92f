#pragma once
/// \file
/// Pixel buffers, picture loaders and fonts.

#include "graphics/font.h"
#include "graphics/font_module.h"
#include "graphics/pixmap.h"
#include "graphics/pixmap_format.h"
#include "graphics/pixmap_functions.h"
#include "graphics/pixmap_loader.h"
#include "graphics/pixmap_module.h"
#include "graphics/pixmap_save.h"
