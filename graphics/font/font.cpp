#include "graphics/font.h"

namespace vellum {

namespace {

Ref<TFontLoader>& Head() {
    static Ref<TFontLoader> head;
    return head;
}

}  // namespace

void AddFontLoader(Ref<TFontLoader> loader) {
    if (!loader) return;
    for (auto l = Head(); l; l = l->_succ)
        if (l == loader) return;
    loader->_succ = Head();
    Head() = std::move(loader);
}

Ref<TFontLoader> FirstFontLoader() { return Head(); }

Ref<TFont> LoadFont(const Ref<TObject>& source, int size, int style) {
    for (auto loader = Head(); loader; loader = loader->_succ)
        if (auto font = loader->LoadFont(source, size, style)) return font;
    return nullptr;
}

Ref<TFont> LoadFont(const String& source, int size, int style) { return LoadFont(BoxString(source), size, style); }

}  // namespace vellum
