#pragma once
/// \file
/// The Vellum engine: everything a program built on it can use.

#include "runtime/app.h"
#include "runtime/exception.h"
#include "runtime/exit_functions.h"
#include "runtime/handle.h"
#include "runtime/list.h"
#include "runtime/map.h"
#include "runtime/object.h"
#include "runtime/startup.h"
#include "runtime/string.h"
#include "runtime/version.h"

#include "stream/stream_all.h"

#include "graphics/pictures_all.h"

#include "system/clock.h"
#include "system/event.h"
#include "system/event_queue.h"
#include "system/gamepad.h"
#include "system/hook.h"
#include "system/polled_input.h"
#include "system/random.h"
#include "system/system_driver.h"
#include "system/timer.h"
#include "system/window_events.h"

#include "graphics/drawing.h"
#include "graphics/gldrawing.h"
#include "graphics/glgraphics.h"
#include "graphics/graphics.h"
#include "graphics/image.h"
#include "graphics/image_font.h"

#include "audio/audio_all.h"
