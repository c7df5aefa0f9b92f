#pragma once
// Real OpenAL Soft output captured to a file: each test process writes its
// own configuration (wave back end, 44.1 kHz 16-bit stereo, no dither or
// limiter, so quiet and loud samples come out exactly) and reads back what
// was played once the driver has closed the device.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "audio_test_files.h"

namespace vellum::test {

struct StereoFrame {
    int left;
    int right;
};

// A stretch of output in which some channel is not silent.
struct Segment {
    int begin;  // first frame
    int end;    // one past the last frame
    int Length() const { return end - begin; }
};

class AudioCapture {
public:
    static constexpr int kRate = 44100;

    // Points OpenAL Soft at a configuration of this process's own; must
    // come before the first OpenAL call of the process.
    AudioCapture();

    // Shuts the current audio driver down, which closes the device and
    // completes the file, and returns every frame that was output.
    std::vector<StereoFrame> Finish();

    // Waits until frames more frames have been written than now: time as the
    // output counts it, which a loaded machine can delay but not shorten.
    void WaitForOutput(int frames);

private:
    TempDir _dir;
};

// The non-silent stretches of output; gaps shorter than minGap frames are
// bridged.
std::vector<Segment> Segments(const std::vector<StereoFrame>& frames, int minGap = 64);
// The largest absolute value of one channel (0 left, 1 right) in a stretch.
int Peak(const std::vector<StereoFrame>& frames, const Segment& segment, int channel);

// Polls condition until it holds or timeout passes; its last answer.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
void SleepMs(int ms);

// A 16-bit WAV of frames frames at rate, value(frame, channel) for each sample.
std::string MakeWav16(int channels, int rate, int frames, const std::function<int(int, int)>& value);

// Test signals that are never zero, so silence in the output means that
// nothing was playing: a ramp of distinct values and a loud square wave.
int Ramp(int frame, int channel);
int Square(int frame, int channel);

// A test that plays into a capture, with a folder for its sound files.
class PlaybackTest : public ::testing::Test {
protected:
    static constexpr int kRate = AudioCapture::kRate;

    // A sound from a 16-bit WAV of frames frames at kRate.
    Ref<TSound> Load(int frames, int (*value)(int, int), int flags = 0, int channels = 1);
    // Waits at most 10 s for the channel to fall silent; whether it did.
    static bool WaitSilent(const Ref<TChannel>& channel);
    // Lets ms milliseconds of output be written.
    void Elapse(int ms) { _capture.WaitForOutput(kRate * ms / 1000); }
    // Cues sound once per setting, applies the setting, plays it to its
    // end and leaves a short gap before the next.
    void PlayInTurn(const Ref<TSound>& sound,
                           const std::vector<std::function<void(const Ref<TChannel>&)>>& settings);

    AudioCapture _capture;
    TempDir _dir;
    int _files = 0;
};

}  // namespace vellum::test
