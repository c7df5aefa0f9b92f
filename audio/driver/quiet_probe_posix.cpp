#include "driver/quiet_probe.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace vellum {

namespace {

// The watches' threads retry outputs while the program thread may probe.
std::mutex quietLock;
int depth = 0;  // under quietLock

// ALSA's error handler, as its header declares it; Null restores its default.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int err, const char* fmt, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// The handler setter of the ALSA library every sound library loads; Null
// without ALSA. The library stays loaded, so the handler stays in it.
SetAlsaErrorHandler AlsaSetter() {
    static SetAlsaErrorHandler setter = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        return alsa ? reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler")) : nullptr;
    }();
    return setter;
}

}  // namespace

void HoldLibraryErrors() {
    std::lock_guard lock(quietLock);
    if (depth++ > 0) return;
    if (auto set = AlsaSetter()) set(IgnoreAlsaError);
}

void ReleaseLibraryErrors() {
    std::lock_guard lock(quietLock);
    if (depth == 0 || --depth > 0) return;
    if (auto set = AlsaSetter()) set(nullptr);
}

void HoldStandardError() {
    // OpenAL Soft takes its log level at its first call; one the user chose stays.
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    HoldLibraryErrors();
}

void SetStandardErrorAside() { ReleaseLibraryErrors(); }

void ReleaseStandardError(bool soundOn) {
    SetStandardErrorAside();
    if (!soundOn)
        std::fputs("sound is off: no sound device could be opened; it comes on by itself once one appears\n", stderr);
}

}  // namespace vellum
