#pragma once
// System information. The operating-system and DirectX names and special
// folders exist only on Windows and are empty here; the display modes and
// environment variables are real.

#include "vellum.h"

namespace tiderush {

vellum::String GetOSName();
vellum::String GetDirectXVersion();
// Prints one line per display mode of the graphics driver.
void ListGraphicsModes();
// The variable's value, "" when it is not set.
vellum::String ReadEnvironmentVariable(const vellum::String& name);
vellum::String GetSpecialFolderPath(int folder);

}  // namespace tiderush
