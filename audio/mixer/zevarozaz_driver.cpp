#include "mixer/zevarozaz_driver.h"

#include "mixer/mixer.h"
#include "mixer/zevarozaz_channel.h"
#include "mixer/zevarozaz_sound.h"
#include "sample/sample_convert.h"

namespace vellum {

Ref<TZevaRozazAudioDriver> TZevaRozazAudioDriver::Create(const String& name, int mode) {
    auto driver = New<TZevaRozazAudioDriver>();
    driver->_name = name;
    driver->_mode = mode;
    RegisterAudioDriver(driver);
    return driver;
}

String TZevaRozazAudioDriver::Name() { return _name; }

int TZevaRozazAudioDriver::Startup() {
    if (_mode == -1 && MixerOpen(CreateMultimediaMixerDevice()) == 0) return 1;
    auto device = _mode != 0 ? CreateDirectSoundMixerDevice() : CreateMultimediaMixerDevice();
    return MixerOpen(device) == 0 ? 1 : 0;
}

void TZevaRozazAudioDriver::Shutdown() { MixerClose(); }

int TZevaRozazAudioDriver::WaitingForOutput() { return MixerWaitingForOutput(); }

Ref<TSound> TZevaRozazAudioDriver::CreateSound(const Ref<TAudioSample>& source, int flags) {
    if (!source) return nullptr;
    Ref<TAudioSample> sample = LittleEndianSample(source);
    int channels = SampleChannels(sample->format);
    if (!channels) return nullptr;
    int bits = 8 * SampleBytesPerFrame(sample->format) / channels;
    int sound = MixerCreateSound(sample->length, bits, channels, sample->hertz, sample->samples, -(flags & SOUND_LOOP));
    if (!sound) return nullptr;
    return New<TZevaRozazSound>(sound);
}

Ref<TSound> TZevaRozazAudioDriver::CreateStreamSound(const std::shared_ptr<TAudioStream>& stream, int) {
    int sound = MixerCreateStreamSound(stream);
    if (!sound) return nullptr;
    return New<TZevaRozazSound>(sound);
}

Ref<TChannel> TZevaRozazAudioDriver::AllocChannel() {
    int handle = MixerAllocChannel();
    if (!handle) return nullptr;
    return New<TZevaRozazChannel>(handle);
}

void RegisterMixerDrivers() {
    bool directSound = DirectSoundMixerDeviceAvailable();
    bool multimedia = MultimediaMixerDeviceAvailable();
    if (directSound) TZevaRozazAudioDriver::Create(u"ZevaRozaz DirectSound", 1);
    if (multimedia) TZevaRozazAudioDriver::Create(u"ZevaRozaz Multimedia", 0);
    if (directSound || multimedia) TZevaRozazAudioDriver::Create(u"ZevaRozaz", -1);
}

}  // namespace vellum
