#include "graphics/font.h"

#include "graphics/font_module.h"
#include "runtime/loader_chain.h"

namespace vellum {

namespace {

TLoaderChain<TFontLoader>& Chain() {
    static auto* chain = new TLoaderChain<TFontLoader>;  // loaders stay registered for the whole run
    return *chain;
}

}  // namespace

void AddFontLoader(Ref<TFontLoader> loader) {
    InitFontModule();  // the built-in loader is always the oldest
    Chain().Register(std::move(loader));
}

Ref<TFontLoader> FirstFontLoader() {
    InitFontModule();
    return Chain().First();
}

Ref<TFont> LoadFont(const Ref<TObject>& source, int size, int style) {
    InitFontModule();
    return Chain().FirstAnswer([&](const Ref<TFontLoader>& loader) { return loader->LoadFont(source, size, style); });
}

Ref<TFont> LoadFont(const String& source, int size, int style) { return LoadFont(BoxString(source), size, style); }

}  // namespace vellum
