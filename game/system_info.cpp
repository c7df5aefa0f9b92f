#include "game/system_info.h"

#include <cstdlib>

namespace tiderush {

vellum::String GetOSName() { return vellum::String(); }

vellum::String GetDirectXVersion() { return vellum::String(); }

void ListGraphicsModes() {
    using vellum::ToString;
    int count = vellum::CountGraphicsModes();
    for (int i = 0; i < count; ++i) {
        int width = 0, height = 0, depth = 0, hertz = 0;
        vellum::GetGraphicsMode(i, width, height, depth, hertz);
        vellum::PrintLine(ToString(i) + u" Width: " + ToString(width) + u" Height: " + ToString(height) +
                          u" Depth: " + ToString(depth) + u" Hertz: " + ToString(hertz));
    }
}

vellum::String ReadEnvironmentVariable(const vellum::String& name) {
    const char* value = std::getenv(vellum::ToUtf8(name).c_str());
    return value ? vellum::FromUtf8(value) : vellum::String();
}

vellum::String GetSpecialFolderPath(int) { return vellum::String(); }

}  // namespace tiderush
