#pragma once
// TOpenALSource: one OpenAL source of the OpenAL drivers, used by one
// channel after another. Sources that channels did not allocate for
// themselves wait in a pool and are reused once they fall silent.

#include <memory>

#include "al/al_name.h"
#include "al/al_output_openal.h"
#include "runtime/object.h"

namespace vellum {

class TAlOutput;
class TAlStreamPump;
class TOpenALSound;

class TOpenALSource : public TObject, public TAlRebuilt {
public:
    // What the program last asked of the source.
    enum Intent { IDLE, CUED, PLAYING, PAUSED };

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
    // The source again on the output's new device, as the program left it:
    // a looping or streamed sound that played goes on, a paused one waits
    // where it was, a sound played once is over.
    void Rebuild() override;

    Ref<TOpenALSource> _succ;      // next source of the pool
    TAlName _id;                   // the OpenAL source, empty when generation failed
    int _seq = 0;                  // claim counter; a channel is valid while it matches
    Ref<TOpenALSound> _sound;      // the sound whose buffer is attached
    std::shared_ptr<TAlOutput> _output;
    // Kept to make the source again, and to answer for it while the output
    // is lost (the library stops every source of a lost device).
    Intent _intent = IDLE;
    float _gain = 1.0f;
    float _pitch = 1.0f;
    float _position[3] = {0.0f, 0.0f, 1.0f};
    int _offset = 0;  // the sample it was paused at

private:
    void Apply();
    int State();
    std::unique_ptr<TAlStreamPump> _pump;
};

// The head of the pool of reusable sources.
Ref<TOpenALSource>& OpenALSourcePool();
// The output of the started OpenAL driver, Null when none is started.
std::shared_ptr<TAlOutput>& CurrentOpenALOutput();

}  // namespace vellum
