#pragma once
/// \file
/// TAudioDriver, the back end that makes sounds and channels, and the
/// registry of drivers by name. The base driver is the silent one, "Null".

#include <memory>
#include <vector>

#include "audio/audio_sample.h"
#include "audio/sound.h"
#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

class TAudioStream;

/// An audio driver: makes sounds and channels on one sound back end. The base
/// is the silent driver "Null", whose sounds play nothing.
class TAudioDriver : public TObject {
public:
    /// The registry name; "Null" for the silent driver.
    virtual String Name();
    /// Opens the back end; 1 on success, 0 when it cannot start.
    virtual int Startup();
    /// Closes the back end.
    virtual void Shutdown();
    /// 1 while the driver runs without an output, waiting for one to appear;
    /// its sounds play once it does.
    virtual int WaitingForOutput();
    /// A sound playing sample; the silent driver's plays nothing.
    virtual Ref<TSound> CreateSound(const Ref<TAudioSample>& sample, int flags);
    /// A sound playing stream as it decodes; the silent driver's plays nothing.
    virtual Ref<TSound> CreateStreamSound(const std::shared_ptr<TAudioStream>& stream, int flags);
    /// A channel kept by the program for its own voices.
    virtual Ref<TChannel> AllocChannel();
    /// A sound from url; Null when no sample can be loaded.
    virtual Ref<TSound> LoadSound(const Ref<TObject>& url, int flags);

    /// The next older driver.
    Ref<TAudioDriver> _succ;
};

/// Links driver at the head of the registry, so name lookups meet it first.
/// A driver already registered stays where it is.
void RegisterAudioDriver(Ref<TAudioDriver> driver);
/// Adds a function that registers drivers which must open a device to know
/// whether they can exist. It runs once, the first time the drivers are
/// listed or a name is asked for that no registered driver has, so that a
/// program using the default driver never opens a device just to look.
void AddAudioDriverProbe(void (*probe)());
/// The newest registered driver, Null when there is none.
Ref<TAudioDriver> FirstAudioDriver();
/// Makes driver the one that SetAudioDriver falls back to.
void SetSilentAudioDriver(Ref<TAudioDriver> driver);

/// The current driver, chosen on first use: "DirectSound", else "Null".
Ref<TAudioDriver> CurrentAudioDriver();
/// Shuts the current driver down, then starts the driver whose name equals
/// name ignoring case. 1 when it started; otherwise 0 and the silent
/// driver is current.
int SetAudioDriver(const String& name);
/// 1 when a registered driver has this name, ignoring case.
int AudioDriverExists(const String& name);
/// Names of the registered drivers, newest first, at most 100.
std::vector<String> AudioDriverNames();
/// Shuts the current driver down and makes the silent driver current.
void ShutdownAudioDriver();

}  // namespace vellum
#pragma GCC visibility pop
