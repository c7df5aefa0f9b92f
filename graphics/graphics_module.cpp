// The graphics module's start-up. It stands above the module's layers and
// wires them together: the contexts layer installs the OpenGL 2D driver on
// first use because this names it, so context/ never reaches up to gl/.

#include "context/context_start.h"
#include "graphics/gldrawing.h"
#include "graphics/graphics.h"

namespace vellum {

void InitGraphicsModule() {
    static bool started = false;
    if (started) return;
    started = true;
    StartGraphicsContexts();
    SetDefaultGraphicsDriver(InitGLDrawingModule);
}

}  // namespace vellum
