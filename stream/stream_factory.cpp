#include "stream/stream_factory.h"

namespace vellum {

namespace {

Ref<TStreamFactory>& Head() {
    static Ref<TStreamFactory> head;
    return head;
}

}  // namespace

void RegisterStreamFactory(Ref<TStreamFactory> factory) {
    if (!factory) return;
    factory->_succ = Head();
    Head() = std::move(factory);
}

Ref<TStreamFactory> FirstStreamFactory() { return Head(); }

}  // namespace vellum
