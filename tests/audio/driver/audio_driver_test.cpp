// Driver registry and selection, the silent driver, and failures that
// must not crash.

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "audio/audio_all.h"
#include "dsound/dsound_driver.h"
#include "audio_capture.h"
#include "driver/quiet_probe.h"
#include "runtime/exception.h"

namespace vellum::test {
namespace {

class AudioDriverTest : public PlaybackTest {
protected:
    void SetUp() override { InitAudioModule(); }
};

TEST_F(AudioDriverTest, RegistryListsNewestFirstAndMatchesNamesIgnoringCase) {
    auto names = AudioDriverNames();
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[names.size() - 1], u"Null");
    EXPECT_EQ(names[names.size() - 2], u"DirectSound");
    EXPECT_EQ(names[names.size() - 3], u"OpenAL");
    EXPECT_EQ(AudioDriverExists(u"directsound"), 1);
    EXPECT_EQ(AudioDriverExists(u"NULL"), 1);
    EXPECT_EQ(AudioDriverExists(u"DirectSound3"), 0);
}

TEST_F(AudioDriverTest, FirstUseSelectsDirectSoundAndUnknownNamesLeaveTheSilentDriver) {
    EXPECT_EQ(CurrentAudioDriver()->Name(), u"DirectSound");
    EXPECT_EQ(SetAudioDriver(u"Sound Blaster"), 0);
    EXPECT_EQ(CurrentAudioDriver()->Name(), u"Null");
    EXPECT_EQ(SetAudioDriver(u"directsound"), 1);
    EXPECT_EQ(CurrentAudioDriver()->Name(), u"DirectSound");
    EXPECT_TRUE(StartedDirectSoundDriver());
}

// Drivers that open a device to know they exist are looked for only when a
// program asks for one; a driver registered twice stays linked once.
TEST_F(AudioDriverTest, ProbedDriversRegisterOnlyWhenAskedFor) {
    static int probes = 0;
    struct Probed : TAudioDriver {
        String Name() override { return u"Probed"; }
    };
    AddAudioDriverProbe([] {
        ++probes;
        auto probed = New<Probed>();
        RegisterAudioDriver(probed);
        RegisterAudioDriver(probed);
    });
    EXPECT_EQ(CurrentAudioDriver()->Name(), u"DirectSound");
    EXPECT_EQ(SetAudioDriver(u"null"), 1);
    EXPECT_EQ(probes, 0);
    EXPECT_EQ(AudioDriverExists(u"probed"), 1);
    EXPECT_EQ(probes, 1);
    auto names = AudioDriverNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), u"Probed"), 1);
    EXPECT_EQ(names.front(), u"Probed");
    EXPECT_EQ(SetAudioDriver(u"Sound Blaster"), 0);
    EXPECT_EQ(probes, 1);
}

// ALSA complains on standard error about a device that does not exist.
void OpenMissingAlsaDevice() {
    static auto open = reinterpret_cast<int (*)(void**, const char*, int, int)>(
        dlsym(dlopen("libasound.so.2", RTLD_NOW), "snd_pcm_open"));
    ASSERT_NE(open, nullptr);
    void* pcm = nullptr;
    EXPECT_LT(open(&pcm, "vellum-no-such-device", 0, 0), 0);
}

// While devices are probed the sound libraries keep quiet, but standard
// error still carries what the rest of the program writes there.
TEST_F(AudioDriverTest, ProbesQuietenTheLibrariesNotStandardError) {
    auto path = std::filesystem::temp_directory_path() / ("vellum-stderr-" + std::to_string(getpid()));
    int saved = dup(STDERR_FILENO);
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(file, 0);
    dup2(file, STDERR_FILENO);
    close(file);

    HoldStandardError();
    OpenMissingAlsaDevice();
    std::thread([] { ASSERT_EQ(write(STDERR_FILENO, "another thread\n", 15), 15); }).join();
    ReleaseStandardError(false);
    OpenMissingAlsaDevice();  // heard again

    dup2(saved, STDERR_FILENO);
    close(saved);
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    std::filesystem::remove(path);
    std::string errors = text.str();
    size_t thread = errors.find("another thread\n"), off = errors.find("sound is off"), alsa = errors.find("ALSA lib");
    EXPECT_EQ(thread, 0u) << errors;
    EXPECT_NE(off, std::string::npos) << errors;
    EXPECT_NE(alsa, std::string::npos) << errors;
    EXPECT_GT(alsa, off) << errors;
}

TEST_F(AudioDriverTest, SilentDriverLoadsSoundsThatPlayNothing) {
    ASSERT_EQ(SetAudioDriver(u"Null"), 1);
    EXPECT_FALSE(StartedDirectSoundDriver());
    std::string path = _dir.Write("a.wav", MakeWav16(1, 22050, 100, [](int, int) { return 5000; }));
    auto sound = LoadSound(FromUtf8(path));
    ASSERT_TRUE(sound);  // the file is still read
    auto channel = PlaySound(sound);
    ASSERT_TRUE(channel);
    EXPECT_EQ(ChannelPlaying(channel), 0);
    SetChannelVolume(channel, 0.5f);
    PauseChannel(channel);
    StopChannel(channel);
    EXPECT_TRUE(AllocChannel());
}

TEST_F(AudioDriverTest, MissingOrUnreadableFilesGiveNullSounds) {
    EXPECT_FALSE(LoadSound(FromUtf8(_dir.Path("missing.wav").string())));
    EXPECT_FALSE(LoadSound(FromUtf8(_dir.Write("junk.wav", "RIFF....WAVEjunk"))));
    // Null sounds and channels are accepted everywhere.
    EXPECT_FALSE(PlaySound(nullptr));
    EXPECT_FALSE(CueSound(nullptr));
    StopChannel(nullptr);
    ResumeChannel(nullptr);
    SetChannelVolume(nullptr, 1.0f);
    EXPECT_EQ(ChannelPlaying(nullptr), 0);
}

TEST_F(AudioDriverTest, SamplesThePlatformRefusesRaiseTheStepName) {
    auto sample = TAudioSample::Create(10, 50, SF_MONO8);  // below 100 Hz
    try {
        LoadSound(Ref<TObject>(sample));
        ADD_FAILURE() << "no error";
    } catch (const TRuntimeException& e) {
        EXPECT_EQ(e.ToString(), u"CreateSoundBuffer failed (87)");
    }
    // An empty sample is a sound that ends at once.
    auto empty = LoadSound(Ref<TObject>(TAudioSample::Create(0, 22050, SF_MONO16LE)));
    ASSERT_TRUE(empty);
    auto channel = PlaySound(empty);
    EXPECT_TRUE(WaitFor([&] { return !ChannelPlaying(channel); }, std::chrono::seconds(2)));
}

}  // namespace
}  // namespace vellum::test
