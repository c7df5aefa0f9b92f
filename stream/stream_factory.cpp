#include "stream/stream_factory.h"

#include "runtime/loader_chain.h"
#include "stream/stream_module.h"

namespace vellum {

namespace {

TLoaderChain<TStreamFactory>& Chain() {
    static auto* chain = new TLoaderChain<TStreamFactory>;  // factories stay registered for the whole run
    return *chain;
}

}  // namespace

void RegisterStreamFactory(Ref<TStreamFactory> factory) {
    InitStreamModule();  // the built-in factories are always the oldest
    Chain().Register(std::move(factory));
}

Ref<TStreamFactory> FirstStreamFactory() {
    InitStreamModule();
    return Chain().First();
}

}  // namespace vellum
