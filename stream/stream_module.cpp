#include "stream/stream_module.h"

#include "runtime/startup.h"
#include "stream/stream_factories.h"

namespace vellum {

void InitStreamModule() {
    static bool started = false;
    if (started) return;
    started = true;
    InitRuntimeModule();
    RegisterStreamFactory(New<TBankStreamFactory>());
    RegisterStreamFactory(New<TRamStreamFactory>());
    RegisterStreamFactory(New<TXEndianStreamFactory>());
    RegisterStreamFactory(New<TTextStreamFactory>());
}

}  // namespace vellum
