#pragma once
// Helpers for the headless audio tests: a stream over bytes in memory that
// can refuse to seek or fail part way, and loading from bytes.

#include <algorithm>
#include <string>

#include "audio/audio_module.h"
#include "audio/sample_loader.h"
#include "runtime/exception.h"
#include "stream/stream.h"

namespace vellum::test {

class ScriptedStream : public TStream {
public:
    explicit ScriptedStream(std::string bytes) : data(std::move(bytes)) {}

    int Pos() override { return seekable ? pos : -1; }
    int Size() override { return static_cast<int>(data.size()); }
    int Seek(int to) override {
        if (!seekable) return -1;
        pos = std::clamp(to, 0, Size());
        return pos;
    }
    int Read(void* buffer, int count) override {
        if (failAt >= 0 && pos + count > failAt) {
            if (streamError) throw TStreamReadException();
            throw TRuntimeException(u"Device unplugged");
        }
        int n = std::max(0, std::min(count, Size() - pos));
        std::copy_n(data.data() + pos, n, static_cast<char*>(buffer));
        pos += n;
        return n;
    }
    int Close() override {
        ++closed;
        return 0;
    }

    std::string data;
    int pos = 0;
    bool seekable = true;
    int failAt = -1;          // reading past this offset fails
    bool streamError = true;  // fail with a stream error, else a runtime error
    int closed = 0;
};

// The sample that LoadAudioSample makes of bytes.
inline Ref<TAudioSample> LoadBytes(const std::string& bytes) {
    InitAudioModule();
    return LoadAudioSample(Ref<TObject>(New<ScriptedStream>(bytes)));
}

}  // namespace vellum::test
