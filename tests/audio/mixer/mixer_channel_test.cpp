// Channel handles and slots, temporary channels, sound lifetime, a full
// request ring, and the driver's sound and channel types, all through the
// memory device.

#include <algorithm>
#include <set>

#include "audio/audio_sample.h"
#include "mixer/zevarozaz_channel.h"
#include "mixer/zevarozaz_driver.h"
#include "mixer/zevarozaz_sound.h"
#include "mixer_test_util.h"

namespace vellum::test {
namespace {

using MixerChannelTest = MixerTest;

bool Silent(const std::vector<Frame>& out) {
    return std::all_of(out.begin(), out.end(), [](Frame f) { return f.left == 0 && f.right == 0; });
}

TEST_F(MixerChannelTest, AStaleHandleDoesNothingAfterItsSlotWasReused) {
    int sound = Sound(std::vector<std::int16_t>(1000, 5000));
    int old = MixerAllocChannel();
    ASSERT_GT(old, MIXER_SLOT_MASK);
    MixerFreeChannel(old);
    int handle = MixerAllocChannel();
    ASSERT_EQ(handle & MIXER_SLOT_MASK, old & MIXER_SLOT_MASK);  // the free list hands the slot straight back
    ASSERT_EQ(handle - old, MIXER_SLOTS);                         // one generation later
    ASSERT_EQ(MixerPlaySound(sound, 0, handle), handle);

    EXPECT_EQ(MixerPlaySound(sound, 0, old), 0);
    EXPECT_EQ(MixerSetVolume(old, 0.0f), 0);
    EXPECT_EQ(MixerSetPaused(old, 1), 0);
    EXPECT_EQ(MixerChannelStatus(old), 0);
    MixerStopChannel(old);
    MixerFreeChannel(old);
    EXPECT_EQ(Render(10)[9].left, 5000);
    EXPECT_TRUE(Playing(handle));
    EXPECT_NE(MixerAllocChannel() & MIXER_SLOT_MASK, handle & MIXER_SLOT_MASK);  // the stale free did nothing
    // Malformed handles are stale too.
    EXPECT_EQ(MixerChannelStatus(0), 0);
    EXPECT_EQ(MixerChannelStatus(-1), 0);
    EXPECT_EQ(MixerChannelStatus(handle & ~MIXER_SLOT_MASK), 0);
}

TEST_F(MixerChannelTest, AllSlotsButTheHeadCanBeTakenAndComeBack) {
    std::set<int> handles, slots;
    for (int i = 1; i < MIXER_SLOTS; ++i) {
        int handle = MixerAllocChannel();
        ASSERT_NE(handle, 0);
        handles.insert(handle);
        slots.insert(handle & MIXER_SLOT_MASK);
    }
    EXPECT_EQ(slots.size(), 4095u);
    EXPECT_EQ(slots.count(0), 0u);
    EXPECT_EQ(MixerAllocChannel(), 0);
    Render(1);  // drains the requests of the allocations
    int sound = Sound(std::vector<std::int16_t>(10, 1));
    EXPECT_EQ(MixerPlaySound(sound, 0, 0), 0);  // no slot for a temporary channel
    MixerFreeChannel(*handles.begin());
    EXPECT_NE(MixerPlaySound(sound, 0, 0), 0);
}

TEST_F(MixerChannelTest, TemporaryChannelsFreeThemselvesOnceTheirSoundEnds) {
    int sound = Sound(std::vector<std::int16_t>(300, 4000));
    int handle = MixerPlaySound(sound, 0, 0);
    ASSERT_NE(handle, 0);
    EXPECT_TRUE(Playing(handle));  // before the mixer has even run
    Render(200);
    EXPECT_TRUE(Playing(handle));
    Render(200);
    EXPECT_EQ(MixerChannelStatus(handle), 0);  // the slot went back
    int next = MixerAllocChannel();
    EXPECT_EQ(next & MIXER_SLOT_MASK, handle & MIXER_SLOT_MASK);

    // Stopping a temporary channel frees it at once; a cued one waits.
    handle = MixerPlaySound(sound, 1, 0);
    Render(500);
    EXPECT_EQ(MixerChannelStatus(handle), MIXER_ACTIVE | MIXER_PAUSED);
    MixerStopChannel(handle);
    EXPECT_EQ(MixerChannelStatus(handle), 0);
    EXPECT_EQ(MixerAllocChannel() & MIXER_SLOT_MASK, handle & MIXER_SLOT_MASK);
}

TEST_F(MixerChannelTest, FreeingAPlayingChannelLetsItFinishAndACuedOneStops) {
    auto ramp = Sine(600, 97);
    int sound = Sound(ramp);
    int handle = MixerPlaySound(sound, 0, MixerAllocChannel());
    Render(100);
    MixerFreeChannel(handle);
    auto out = Render(600);
    for (int i = 0; i < 500; ++i) ASSERT_EQ(out[i].left, ramp[100 + i]) << "frame " << i;
    EXPECT_TRUE(Silent({out.begin() + 500, out.end()}));
    // Once over, the slot is free again.
    EXPECT_EQ(MixerAllocChannel() & MIXER_SLOT_MASK, handle & MIXER_SLOT_MASK);

    handle = MixerPlaySound(sound, 1, MixerAllocChannel());
    MixerFreeChannel(handle);
    MixerSetPaused(handle, 0);  // stale by now
    EXPECT_TRUE(Silent(Render(600)));
}

TEST_F(MixerChannelTest, ASoundFreedWhilePlayingKeepsItsSamplesUntilTheVoiceLetsGo) {
    auto sine = Sine(800, 31, 10000);
    int sound = MakeMixerSound(sine);
    int looping = MakeMixerSound(sine, 1, 44100, true);
    int handle = MixerPlaySound(sound, 0, 0);
    int loop = MixerPlaySound(looping, 0, MixerAllocChannel());
    MixerFreeSound(sound);
    MixerFreeSound(looping);
    EXPECT_EQ(MixerPlaySound(sound, 0, 0), 0);  // the handle is gone
    auto out = Render(800);
    for (int i = 0; i < 800; ++i) ASSERT_EQ(out[i].left, 2 * sine[i]) << "frame " << i;
    EXPECT_EQ(MixerChannelStatus(handle), 0);
    MixerStopChannel(loop);  // the last holder: the samples go now
    EXPECT_TRUE(Silent(Render(10)));
}

TEST_F(MixerChannelTest, ClosingMakesEveryHandleStaleForGood) {
    int sound = Sound(std::vector<std::int16_t>(1000, 3000));
    int handle = MixerPlaySound(sound, 0, MixerAllocChannel());
    MixerClose();
    EXPECT_FALSE(MixerIsOpen());
    EXPECT_EQ(MixerChannelStatus(handle), 0);
    EXPECT_EQ(MixerPlaySound(sound, 0, 0), 0);
    EXPECT_EQ(MixerAllocChannel(), 0);
    ASSERT_EQ(MixerOpen(_device), 0);
    EXPECT_TRUE(Silent(Render(10)));  // nothing survives a close
    int again = MixerAllocChannel();
    EXPECT_NE(again, handle);  // generations carry on past a close
    EXPECT_EQ(MixerChannelStatus(handle), 0);
    MixerFreeChannel(handle);
    EXPECT_EQ(MixerPlaySound(sound, 0, again), again);  // sounds outlive a close
    EXPECT_EQ(Render(1)[0].left, 3000);
}

TEST_F(MixerChannelTest, AFullRingDropsRequestsWithoutLosingTrackOfTheVoice) {
    int handle = MixerPlaySound(Sound(std::vector<std::int16_t>(1000, 4096)), 0, MixerAllocChannel());
    int dropped = MixerDroppedRequests();
    // Nothing drains the memory device until it renders, so the ring fills.
    for (int i = 0; i < 5000; ++i) MixerSetVolume(handle, 0.5f);
    EXPECT_EQ(MixerDroppedRequests() - dropped, 5000 + 2 - 4096);
    EXPECT_EQ(Render(1)[0].left, 2048);
    MixerSetPaused(handle, 1);
    Render(1);
    EXPECT_EQ(MixerChannelStatus(handle), MIXER_ACTIVE | MIXER_PAUSED);
}

TEST_F(MixerChannelTest, DriverSoundsAndChannelsFollowTheMixer) {
    auto driver = New<TZevaRozazAudioDriver>();  // not registered; the mixer is already open
    // Big-endian samples are converted; 8-bit ones widened.
    auto sample = TAudioSample::Create(3, 44100, SF_MONO16BE);
    const unsigned char be[] = {0x12, 0x34, 0xFF, 0xFE, 0x00, 0x01};
    std::copy(be, be + 6, sample->samples);
    auto sound = Cast<TZevaRozazSound>(driver->CreateSound(sample, 0));
    ASSERT_TRUE(sound);
    auto channel = Cast<TZevaRozazChannel>(sound->Play(nullptr));
    ASSERT_TRUE(channel);
    auto out = Render(3);
    EXPECT_EQ(out[0].left, 0x1234);
    EXPECT_EQ(out[1].left, -2);
    EXPECT_EQ(out[2].left, 1);
    EXPECT_FALSE(driver->CreateSound(TAudioSample::Create(3, 44100, 0), 0));
    EXPECT_FALSE(sound->Play(New<TChannel>()));  // a channel of another driver

    // A channel of the program's own: the same object comes back.
    auto longSample = TAudioSample::Create(2000, 44100, SF_STEREO8);
    std::fill_n(longSample->samples, 4000, 200);
    auto loud = driver->CreateSound(longSample, SOUND_LOOP);
    auto own = Cast<TZevaRozazChannel>(driver->AllocChannel());
    ASSERT_TRUE(own);
    EXPECT_EQ(loud->Cue(own), own);
    EXPECT_EQ(own->Playing(), 0);
    own->SetPan(-1.0f);
    own->SetRate(0.5f);
    own->SetPaused(0);
    EXPECT_EQ(own->Playing(), 1);
    out = Render(100);
    EXPECT_TRUE(out[99].left == 257 * 200 - 32768 && out[99].right == 0);
    EXPECT_EQ(own->Position(), 50);

    // Stop gives the slot back even for a channel the program allocated.
    int slot = own->fa_channel & MIXER_SLOT_MASK;
    own->Stop();
    EXPECT_EQ(own->fa_channel, 0);
    EXPECT_EQ(own->Playing(), 0);
    EXPECT_EQ(MixerAllocChannel() & MIXER_SLOT_MASK, slot);
    // Playing on a stopped channel makes a new one.
    auto fresh = loud->Play(own);
    EXPECT_TRUE(fresh && fresh != own);

    // Fire and forget: the dropped channel's voice still plays to its end.
    sound->Play(nullptr);
    out = Render(3);
    EXPECT_EQ(out[0].left, 257 * 200 - 32768 + 0x1234);
}

}  // namespace
}  // namespace vellum::test
