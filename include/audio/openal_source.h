#pragma once
// TOpenALSource: one OpenAL source of the OpenAL drivers, used by one
// channel after another. Sources that channels did not allocate for
// themselves wait in a pool and are reused once they fall silent.

#include <memory>

#include "runtime/object.h"

namespace vellum {

class TAlOutput;
class TOpenALSound;

class TOpenALSource : public TObject {
public:
    // Deletes the OpenAL source while its device is still open.
    ~TOpenALSource() override;

    // 1 while the source plays.
    int Playing();
    // 1 while the source is paused or was never started.
    int Paused();
    // 1 while the source plays, is paused or was never started.
    int Active();
    // Diagnostic hook; prints nothing.
    void LogState();
    // true while the device the source was made on is open.
    bool Live() const;

    Ref<TOpenALSource> _succ;      // next source of the pool
    int _id = 0;                   // OpenAL source name, 0 when generation failed
    int _seq = 0;                  // claim counter; a channel is valid while it matches
    Ref<TOpenALSound> _sound;      // the sound whose buffer is attached
    std::shared_ptr<TAlOutput> _output;

private:
    int State();
};

// The head of the pool of reusable sources.
Ref<TOpenALSource>& OpenALSourcePool();
// The output of the started OpenAL driver, Null when none is started.
std::shared_ptr<TAlOutput>& CurrentOpenALOutput();

}  // namespace vellum
