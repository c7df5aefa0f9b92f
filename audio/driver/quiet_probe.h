#pragma once
// Looking for a sound device quietly. The platform's sound libraries write
// screenfuls of errors to standard error on a machine without one; while
// the audio module probes, standard error is held back, and once the driver
// is chosen it is either let through (sound works: nothing is lost) or
// replaced by one line saying that sound is off.

namespace vellum {

// Holds back what is written to standard error from now on (nests).
void HoldStandardError();
// Stops holding; what was held waits for ReleaseStandardError.
void SetStandardErrorAside();
// Stops holding. With sound on, everything held so far is written out;
// without, it is dropped and one line says that sound is off.
void ReleaseStandardError(bool soundOn);

}  // namespace vellum
