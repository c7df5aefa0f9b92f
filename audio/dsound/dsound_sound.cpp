#include "dsound/dsound_sound.h"

#include <algorithm>
#include <cstring>

#include "dsound/dsound_channel.h"
#include "dsound/dsound_driver.h"
#include "sample/audio_stream.h"
#include "sample/sample_convert.h"

namespace vellum {

namespace {

TPcmFormat PcmFormatOf(int sampleFormat, int hertz) {
    TPcmFormat format;
    format.formatTag = 1;
    format.channels = SampleChannels(sampleFormat);
    format.samplesPerSec = hertz;
    // No format has no channels: the zero block is refused by the platform.
    format.bitsPerSample = format.channels ? 8 * (SampleBytesPerFrame(sampleFormat) / format.channels) : 0;
    format.blockAlign = format.bitsPerSample / 8 * format.channels;
    format.avgBytesPerSec = format.samplesPerSec * format.blockAlign;
    return format;
}

TSoundBufferDesc DescOf(const Ref<TDirectSoundAudioDriver>& driver, int flags, int bytes) {
    TSoundBufferDesc desc;
    desc.flags = SOUND_BUFFER_STATIC | SOUND_BUFFER_CTRL_FREQUENCY | SOUND_BUFFER_CTRL_PAN |
                 SOUND_BUFFER_CTRL_VOLUME | SOUND_BUFFER_GLOBAL_FOCUS;
    if (!driver || driver->_mode == 1 || !(flags & SOUND_HARDWARE)) desc.flags |= SOUND_BUFFER_SOFTWARE;
    desc.bufferBytes = bytes;
    return desc;
}

Ref<TDirectSoundSound> SoundOver(const Ref<TSoundBuffer>& buffer, int hertz, int flags) {
    auto sound = New<TDirectSoundSound>();
    sound->_seq = DirectSoundGeneration();
    sound->_buffer = buffer;
    sound->_hertz = hertz;
    sound->_loop = flags & SOUND_LOOP;
    sound->_bufs = TBuf::Create(buffer);
    return sound;
}

}  // namespace

TDirectSoundSound::~TDirectSoundSound() {
    auto driver = StartedDirectSoundDriver();
    if (!driver || _seq != DirectSoundGeneration() || !_bufs) {
        DropBufList(_bufs);
        return;
    }
    TBuf* last = _bufs.get();
    while (last->_succ) last = last->_succ.get();
    last->_succ = std::move(driver->_lonely);
    driver->_lonely = std::move(_bufs);
    driver->FlushLonely();  // idle buffers go now (a streamed one stops its thread)
}

Ref<TDirectSoundSound> TDirectSoundSound::Create(const Ref<TAudioSample>& source, int flags) {
    auto driver = StartedDirectSoundDriver();
    if (driver) driver->FlushLonely();

    Ref<TAudioSample> sample = LittleEndianSample(source);

    TPcmFormat format = PcmFormatOf(sample->format, sample->hertz);
    TSoundBufferDesc desc = DescOf(driver, flags, sample->ByteCount());

    Ref<TSoundBuffer> buffer;
    int result = driver ? driver->_dsound->CreateSoundBuffer(format, desc, &buffer) : SOUND_ERR_NO_DRIVER;
    CheckSoundResult(result, "CreateSoundBuffer");
    void* region = nullptr;
    int regionBytes = 0;
    CheckSoundResult(buffer->Lock(0, desc.bufferBytes, &region, &regionBytes), "Lock SoundBuffer");
    int count = std::min(regionBytes, desc.bufferBytes);
    if (count > 0) std::memcpy(region, sample->samples, static_cast<size_t>(count));
    CheckSoundResult(buffer->Unlock(region, regionBytes), "Unlock SoundBuffer");
    return SoundOver(buffer, sample->hertz, flags);
}

Ref<TDirectSoundSound> TDirectSoundSound::CreateStream(const std::shared_ptr<TAudioStream>& stream, int flags) {
    auto driver = StartedDirectSoundDriver();
    if (driver) driver->FlushLonely();
    TPcmFormat format = PcmFormatOf(stream->Format(), stream->Hertz());
    TSoundBufferDesc desc = DescOf(driver, flags, 0);
    Ref<TSoundBuffer> buffer;
    int result =
        driver ? driver->_dsound->CreateStreamBuffer(format, desc, stream, &buffer) : SOUND_ERR_NO_DRIVER;
    CheckSoundResult(result, "CreateSoundBuffer");
    return SoundOver(buffer, stream->Hertz(), flags);
}

Ref<TChannel> TDirectSoundSound::Play(const Ref<TChannel>& channel) {
    Ref<TChannel> played = Cue(channel);
    played->SetPaused(0);
    return played;
}

Ref<TChannel> TDirectSoundSound::Cue(const Ref<TChannel>& channel) {
    auto cued = Cast<TDirectSoundChannel>(channel);
    if (!cued) cued = TDirectSoundChannel::Create(0);
    cued->Cue(Self(this));
    return cued;
}

}  // namespace vellum
