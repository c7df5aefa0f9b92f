// The platform sound device over OpenAL Soft: an OpenAL device and context
// that makes the buffers of the "DirectSound" driver.

#include "dsound/al_sound_buffer_openal.h"

namespace vellum {

namespace {

bool ValidFormat(const TPcmFormat& f) {
    return f.formatTag == 1 && (f.channels == 1 || f.channels == 2) &&
           (f.bitsPerSample == 8 || f.bitsPerSample == 16) && f.blockAlign == f.channels * f.bitsPerSample / 8 &&
           f.samplesPerSec >= 100 && f.samplesPerSec <= 200000;
}

class TAlSoundDevice : public TSoundDevice {
public:
    explicit TAlSoundDevice(std::shared_ptr<TAlOutput> output) : _output(std::move(output)) {}
    ~TAlSoundDevice() override { TAlSoundDevice::Release(); }

    // There is no window to cooperate with; every level is accepted.
    int SetCooperativeLevel(int) override { return _output->IsOpen() ? SOUND_OK : SOUND_ERR_NO_DRIVER; }

    int CreateSoundBuffer(const TPcmFormat& format, const TSoundBufferDesc& desc, Ref<TSoundBuffer>* buffer) override {
        if (!_output->IsOpen()) return SOUND_ERR_NO_DRIVER;
        if (!ValidFormat(format) || desc.bufferBytes < 0 || desc.bufferBytes > 0x0FFFFFFF)
            return SOUND_ERR_INVALID_PARAM;
        auto data = std::make_shared<TAlData>();
        data->output = _output;
        data->buffer = TAlName::Make(TAlName::BUFFER, _output);
        if (!data->buffer) return SOUND_ERR_OUT_OF_MEMORY;
        _output->Track(data, TAlRebuilt::DATA);
        Ref<TAlSoundBuffer> made;
        int bytes = desc.bufferBytes - desc.bufferBytes % format.blockAlign;
        int result = TAlSoundBuffer::Make(std::move(data), format, desc.flags, bytes, &made);
        if (result == SOUND_OK) *buffer = made;
        return result;
    }

    int CreateStreamBuffer(const TPcmFormat& format, const TSoundBufferDesc& desc,
                           const std::shared_ptr<TAudioStream>& stream, Ref<TSoundBuffer>* buffer) override {
        if (!_output->IsOpen()) return SOUND_ERR_NO_DRIVER;
        if (!ValidFormat(format) || !stream) return SOUND_ERR_INVALID_PARAM;
        auto data = std::make_shared<TAlData>();
        data->output = _output;
        Ref<TAlSoundBuffer> made;
        int result = TAlSoundBuffer::Make(std::move(data), format, desc.flags, 0, &made, stream);
        if (result == SOUND_OK) *buffer = made;
        return result;
    }

    int DuplicateSoundBuffer(const Ref<TSoundBuffer>& original, Ref<TSoundBuffer>* duplicate) override {
        auto buffer = Cast<TAlSoundBuffer>(original);
        if (!buffer || buffer->Output() != _output) return SOUND_ERR_INVALID_PARAM;
        return buffer->Duplicate(duplicate);
    }

    int Waiting() override { return _output->Lost() ? 1 : 0; }

    void Release() override { _output->Close(); }

private:
    std::shared_ptr<TAlOutput> _output;
};

}  // namespace

int SoundDevicesAvailable() { return 1; }  // OpenAL is linked in

int CreateSoundDevice(Ref<TSoundDevice>* device) {
    // Without a device the driver plays nowhere until one opens.
    auto output = TAlOutput::OpenOrWait({nullptr});
    if (!output) return SOUND_ERR_NO_DRIVER;
    output->Watch();
    *device = New<TAlSoundDevice>(std::move(output));
    return SOUND_OK;
}

}  // namespace vellum
