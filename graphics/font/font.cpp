#include "graphics/font.h"

#include "graphics/font_module.h"
#include "runtime/loader_chain.h"

namespace vellum {

namespace {

TLoaderChain<TFontLoader>& Chain() { return ModuleChain<TFontLoader, InitFontModule>(); }

}  // namespace

void AddFontLoader(Ref<TFontLoader> loader) { Chain().Register(std::move(loader)); }

Ref<TFontLoader> FirstFontLoader() { return Chain().First(); }

Ref<TFont> LoadFont(const Ref<TObject>& source, int size, int style) {
    return Chain().FirstAnswer([&](const Ref<TFontLoader>& loader) { return loader->LoadFont(source, size, style); });
}

Ref<TFont> LoadFont(const String& source, int size, int style) { return LoadFont(BoxString(source), size, style); }

}  // namespace vellum
