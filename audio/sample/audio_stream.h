#pragma once
// TAudioStream: what a streamed sound plays. It remembers where the file
// is and its layout, and keeps one decoder ready for the next voice, so
// the first voice starts without opening the file again. Each voice
// decodes on its own thread through a decoder of its own.

#include <memory>
#include <mutex>

#include "runtime/object.h"
#include "sample/audio_decoder.h"

namespace vellum {

class TAudioStream {
public:
    // Opens url and recognises its file; Null when no decoder does. The
    // url must open again later: a name or a bank, not an open stream.
    static std::shared_ptr<TAudioStream> Open(const Ref<TObject>& url, bool loop);

    int Format() const { return _format; }
    int Hertz() const { return _hertz; }
    long long Length() const { return _length; }
    bool Loop() const { return _loop; }

    // A decoder at the first frame: the one kept ready, else a newly
    // opened one; Null when the url no longer opens. Any thread.
    std::unique_ptr<TAudioDecoder> TakeDecoder();
    // Keeps decoder, which played on, for the next TakeDecoder.
    void GiveBack(std::unique_ptr<TAudioDecoder> decoder);

private:
    struct Spare {
        std::unique_ptr<TAudioDecoder> decoder;
        bool rewound = false;
    };

    Ref<TObject> _url;
    int _format = 0;
    int _hertz = 0;
    long long _length = 0;
    bool _loop = false;
    std::mutex _mutex;
    Spare _spare;  // under _mutex
};

}  // namespace vellum
