#pragma once
/// \file
/// The OpenAL drivers a program can choose by name: "OpenAL" for the
/// system's default output from the start, and after EnableOpenALAudio one
/// driver per output device, "OpenAL <device>", and "OpenAL Default".

#pragma GCC visibility push(default)
namespace vellum {

/// 1 when the OpenAL library is present (it is linked in).
int OpenALInstalled();
/// Registers a driver per output device and "OpenAL Default" the first
/// time; 1 when OpenAL is usable. Later calls return the first result.
int EnableOpenALAudio();

}  // namespace vellum
#pragma GCC visibility pop
