#pragma once
// TOpenALSource: one OpenAL source of the OpenAL drivers, used by one
// channel after another. Sources that channels did not allocate for
// themselves wait in a pool and are reused once they fall silent.

#include <memory>

#include "al/al_name.h"
#include "runtime/object.h"

namespace vellum {

class TAlOutput;
class TAlStreamPump;
class TOpenALSound;

class TOpenALSource : public TObject {
public:
    TOpenALSource();
    // Stops a streamed sound's thread before the source goes.
    ~TOpenALSource() override;

    // Puts a streamed sound's voice on the source (Null takes it off).
    void SetPump(std::unique_ptr<TAlStreamPump> pump);
    TAlStreamPump* Pump() const { return _pump.get(); }

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
    TAlName _id;                   // the OpenAL source, empty when generation failed
    int _seq = 0;                  // claim counter; a channel is valid while it matches
    Ref<TOpenALSound> _sound;      // the sound whose buffer is attached
    std::shared_ptr<TAlOutput> _output;

private:
    int State();
    std::unique_ptr<TAlStreamPump> _pump;
};

// The head of the pool of reusable sources.
Ref<TOpenALSource>& OpenALSourcePool();
// The output of the started OpenAL driver, Null when none is started.
std::shared_ptr<TAlOutput>& CurrentOpenALOutput();

}  // namespace vellum
