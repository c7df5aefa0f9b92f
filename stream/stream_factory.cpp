#include "stream/stream_factory.h"

#include "runtime/loader_chain.h"
#include "stream/stream_module.h"

namespace vellum {

namespace {

TLoaderChain<TStreamFactory>& Chain() { return ModuleChain<TStreamFactory, InitStreamModule>(); }

}  // namespace

void RegisterStreamFactory(Ref<TStreamFactory> factory) { Chain().Register(std::move(factory)); }

Ref<TStreamFactory> FirstStreamFactory() { return Chain().First(); }

}  // namespace vellum
