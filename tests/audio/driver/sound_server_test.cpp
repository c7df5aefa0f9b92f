// Every driver against a real sound server that goes away under it: a
// private PulseAudio server, played through OpenAL Soft's pulse output and
// SDL's pulseaudio driver, is stopped while a looping sound, a streamed one
// and a paused one play, and started again. The program goes on at normal
// CPU meanwhile, its stream comes back to the new server, and every
// channel is as it was left.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>

#include "al/al_output_openal.h"
#include "audio/audio_all.h"
#include "audio_capture.h"
#include "dsound/al_sound_buffer_openal.h"
#include "dsound/dsound_channel.h"
#include "mixer/zevarozaz_channel.h"
#include "openal/openal_channel.h"
#include "pulse_server.h"

namespace vellum::test {
namespace {

using std::chrono::seconds;
constexpr int kRate = AudioCapture::kRate;

// What a driver's channel looks like from below: its gain, rate and pan
// position as the output has them, and whether its voice moves on.
struct Voice {
    float gain = -1, pitch = -1, x = -2;
    int state = 0;
    int offset = -1;
};

class SoundServerTest : public ::testing::Test {
protected:
    // Before the first sound call of the process: both libraries look for
    // the private server only.
    SoundServerTest() {
        std::ofstream(_server.Folder() + "/openal.conf") << "[general]\ndrivers = pulse\n";
        setenv("ALSOFT_CONF", (_server.Folder() + "/openal.conf").c_str(), 1);
        setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
    }
    void TearDown() override { ShutdownAudioDriver(); }

    Ref<TSound> Load(int frames, int flags) {
        std::string name = "s" + std::to_string(++_files) + ".wav";
        return LoadSound(FromUtf8(_files_dir.Write(name, MakeWav16(1, kRate, frames, Square))), flags);
    }

    // The CPU share of this process over a couple of seconds.
    static double CpuShare() {
        double cpu = testutil::CpuSeconds(getpid());
        auto start = std::chrono::steady_clock::now();
        SleepMs(2000);
        std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        return (testutil::CpuSeconds(getpid()) - cpu) / wall.count();
    }

    // Plays the four kinds of channel on driver, stops the server, checks
    // the program while it is away, starts it again and checks that
    // everything is back. voice reads a channel's voice from below.
    void SurviveRestart(const String& driver, const std::function<Voice(const Ref<TChannel>&)>& voice) {
        ASSERT_TRUE(testutil::PulseServer::Installed()) << "pulseaudio and pactl: run scripts/setup";
        ASSERT_TRUE(_server.Start());
        ASSERT_EQ(SetAudioDriver(driver), 1);
        auto current = CurrentAudioDriver();
        EXPECT_EQ(current->WaitingForOutput(), 0);

        auto loop = CueSound(Load(kRate, SOUND_LOOP));
        SetChannelVolume(loop, 0.5f);
        SetChannelPan(loop, 0.5f);
        SetChannelRate(loop, 1.5f);
        ResumeChannel(loop);
        auto music = PlaySound(Load(kRate / 3, SOUND_LOOP | SOUND_STREAM));
        auto paused = PlaySound(Load(kRate, SOUND_LOOP));
        PauseChannel(paused);
        auto effect = PlaySound(Load(kRate / 20, 0));
        ASSERT_TRUE(_server.WaitForSinkInputs(1, seconds(20)));
        ASSERT_TRUE(WaitFor([&] { return !ChannelPlaying(effect); }, seconds(10)));
        Voice before = voice ? voice(loop) : Voice();

        _server.Stop();
        ASSERT_TRUE(WaitFor([&] { return current->WaitingForOutput() == 1; }, seconds(10)));
        EXPECT_LT(CpuShare(), 0.5) << "the program spins while the server is away";
        EXPECT_TRUE(ChannelPlaying(loop));
        EXPECT_TRUE(ChannelPlaying(music));
        EXPECT_FALSE(ChannelPlaying(paused));
        EXPECT_FALSE(ChannelPlaying(effect));

        ASSERT_TRUE(_server.Start());
        ASSERT_TRUE(_server.WaitForSinkInputs(1, seconds(20))) << "the program's stream did not come back";
        ASSERT_TRUE(WaitFor([&] { return current->WaitingForOutput() == 0; }, seconds(10)));
        EXPECT_TRUE(ChannelPlaying(loop));
        EXPECT_TRUE(ChannelPlaying(music));
        EXPECT_FALSE(ChannelPlaying(paused));
        EXPECT_FALSE(ChannelPlaying(effect));
        ResumeChannel(effect);
        EXPECT_FALSE(ChannelPlaying(effect)) << "a finished effect played again";

        if (voice) {
            Voice v = voice(loop);
            EXPECT_FLOAT_EQ(v.gain, before.gain);
            EXPECT_FLOAT_EQ(v.pitch, before.pitch);
            EXPECT_FLOAT_EQ(v.x, before.x);
            EXPECT_EQ(v.state, before.state);
            int first = v.offset;
            EXPECT_TRUE(WaitFor([&] { return voice(loop).offset != first; }, seconds(10))) << "the loop stands still";
            int musicFirst = voice(music).offset;
            EXPECT_TRUE(WaitFor([&] { return voice(music).offset != musicFirst; }, seconds(10)))
                << "the music stands still";
        }
        ResumeChannel(paused);
        EXPECT_TRUE(ChannelPlaying(paused));
    }

    // Plays a loop on driver, has this process stopped for 3 s from outside
    // (SIGSTOP, SIGCONT), and checks that the loop goes on.
    void SurviveStop(const String& driver, const std::function<Voice(const Ref<TChannel>&)>& voice) {
        ASSERT_TRUE(testutil::PulseServer::Installed()) << "pulseaudio and pactl: run scripts/setup";
        ASSERT_TRUE(_server.Start());
        ASSERT_EQ(SetAudioDriver(driver), 1);
        auto loop = PlaySound(Load(kRate, SOUND_LOOP));
        int first = voice(loop).offset;
        ASSERT_TRUE(WaitFor([&] { return voice(loop).offset != first; }, seconds(10)));
        pid_t self = getpid();
        pid_t stopper = fork();
        if (stopper == 0) {
            kill(self, SIGSTOP);
            sleep(3);
            kill(self, SIGCONT);
            _exit(0);
        }
        ASSERT_GT(stopper, 0);
        while (waitpid(stopper, nullptr, 0) < 0 && errno == EINTR) {
        }
        first = voice(loop).offset;
        EXPECT_TRUE(WaitFor([&] { return voice(loop).offset != first; }, seconds(10))) << "silent after a stop";
        EXPECT_TRUE(ChannelPlaying(loop));
    }

    testutil::PulseServer _server;
    TempDir _files_dir;
    int _files = 0;
};

// The state of OpenAL source id on output.
Voice AlVoice(TAlOutput& output, ALuint id) {
    TAlContextScope scope(output);
    Voice v;
    float position[3] = {};
    alGetSourcef(id, AL_GAIN, &v.gain);
    alGetSourcef(id, AL_PITCH, &v.pitch);
    alGetSourcefv(id, AL_POSITION, position);
    v.x = position[0];
    alGetSourcei(id, AL_SOURCE_STATE, &v.state);
    alGetSourcei(id, AL_SAMPLE_OFFSET, &v.offset);
    ALint processed = 0;  // a queue's offset is within its current buffer: count the buffers too
    alGetSourcei(id, AL_BUFFERS_PROCESSED, &processed);
    v.offset += processed * 100000;
    return v;
}

TEST_F(SoundServerTest, OpenALDriverPlaysOnOnceTheServerReturns) {
    SurviveRestart(u"OpenAL", [](const Ref<TChannel>& channel) {
        auto source = Cast<TOpenALChannel>(channel)->_source;
        return AlVoice(*source->_output, source->_id.Id());
    });
}

// OpenAL Soft settles the outputs it can reach at its first call, so a
// server that appears later is only heard if the driver finds it itself;
// and it keeps it through a restart.
TEST_F(SoundServerTest, OpenALDriverStartedBeforeTheServerPlaysOnceItAppears) {
    ASSERT_TRUE(testutil::PulseServer::Installed()) << "pulseaudio and pactl: run scripts/setup";
    ASSERT_EQ(SetAudioDriver(u"OpenAL"), 1);
    auto current = CurrentAudioDriver();
    EXPECT_EQ(current->WaitingForOutput(), 1);
    auto loop = PlaySound(Load(kRate, SOUND_LOOP));
    for (int start = 0; start < 2; ++start) {
        ASSERT_TRUE(_server.Start());
        EXPECT_TRUE(_server.WaitForSinkInputs(1, seconds(20))) << "no sound once the server is there, start " << start;
        EXPECT_TRUE(WaitFor([&] { return current->WaitingForOutput() == 0; }, seconds(10)));
        EXPECT_TRUE(ChannelPlaying(loop));
        _server.Stop();
    }
}

TEST_F(SoundServerTest, DirectSoundDriverPlaysOnOnceTheServerReturns) {
    SurviveRestart(u"DirectSound", [](const Ref<TChannel>& channel) {
        auto buffer = Cast<TAlSoundBuffer>(Cast<TDirectSoundChannel>(channel)->_buf->_buffer);
        return AlVoice(*buffer->Output(), buffer->SourceId());
    });
}

// The mixer's voices live in the mixer, not in the device: where a voice
// is shows that the device pulls again.
Voice MixerVoice(const Ref<TChannel>& channel) {
    Voice v;
    v.state = ChannelPlaying(channel);
    v.offset = Cast<TZevaRozazChannel>(channel)->Position();
    return v;
}

TEST_F(SoundServerTest, MixerOnSdlAudioPlaysOnOnceTheServerReturns) {
    SurviveRestart(u"ZevaRozaz Multimedia", MixerVoice);
}

TEST_F(SoundServerTest, MixerOnOpenALPlaysOnOnceTheServerReturns) {
    SurviveRestart(u"ZevaRozaz DirectSound", MixerVoice);
}

TEST_F(SoundServerTest, EveryDriverPlaysOnAfterTheProcessWasStopped) {
    SurviveStop(u"ZevaRozaz DirectSound", MixerVoice);
    SurviveStop(u"ZevaRozaz Multimedia", MixerVoice);
    SurviveStop(u"DirectSound", [](const Ref<TChannel>& channel) {
        auto buffer = Cast<TAlSoundBuffer>(Cast<TDirectSoundChannel>(channel)->_buf->_buffer);
        return AlVoice(*buffer->Output(), buffer->SourceId());
    });
}

}  // namespace
}  // namespace vellum::test
