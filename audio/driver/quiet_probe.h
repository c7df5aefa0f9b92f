#pragma once
// Looking for a sound device quietly. The platform's sound libraries write
// screenfuls of errors to standard error on a machine without one; while
// the audio module probes, they are asked through their own settings to
// keep quiet (OpenAL Soft's log level, ALSA's error handler; SDL logs
// nothing about audio unless asked). Standard error itself is never
// touched, so nothing any thread writes there is lost. Once the driver is
// chosen, one line says so if sound is off.

namespace vellum {

// Quietens the sound libraries from now on (nests). On the program thread:
// it sets the environment.
void HoldStandardError();
// Lets them speak again (ALSA's errors; OpenAL Soft reads its level once).
void SetStandardErrorAside();
// The same; without sound, one line says that sound is off.
void ReleaseStandardError(bool soundOn);

// ALSA's errors alone, held and let go from any thread: a watch holds them
// while it retries an output, which would otherwise fill standard error.
void HoldLibraryErrors();
void ReleaseLibraryErrors();

}  // namespace vellum
