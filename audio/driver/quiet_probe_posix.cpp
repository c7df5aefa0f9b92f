#include "driver/quiet_probe.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace vellum {

namespace {

struct HeldError {
    int depth = 0;
    int savedFd = -1;
    std::FILE* file = nullptr;
    std::string text;  // held from earlier probes
};

HeldError& Held() {
    static auto* held = new HeldError;  // lives for the whole run
    return *held;
}

}  // namespace

void HoldStandardError() {
    auto& h = Held();
    if (h.depth++ > 0) return;
    std::fflush(stderr);
    h.file = std::tmpfile();
    h.savedFd = h.file ? dup(STDERR_FILENO) : -1;
    if (h.savedFd < 0 || dup2(fileno(h.file), STDERR_FILENO) < 0) {
        if (h.savedFd >= 0) close(h.savedFd);
        if (h.file) std::fclose(h.file);
        h.savedFd = -1;
        h.file = nullptr;  // nothing is held back: the output goes out as it comes
    }
}

void SetStandardErrorAside() {
    auto& h = Held();
    if (h.depth == 0 || --h.depth > 0 || !h.file) return;
    std::fflush(stderr);
    dup2(h.savedFd, STDERR_FILENO);
    close(h.savedFd);
    h.savedFd = -1;
    std::rewind(h.file);
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, h.file)) > 0;) h.text.append(buffer, n);
    std::fclose(h.file);
    h.file = nullptr;
}

void ReleaseStandardError(bool soundOn) {
    SetStandardErrorAside();
    auto& h = Held();
    if (soundOn)
        std::fputs(h.text.c_str(), stderr);
    else
        std::fputs("sound is off: no sound device could be opened; it comes on by itself once one appears\n", stderr);
    h.text.clear();
}

}  // namespace vellum
