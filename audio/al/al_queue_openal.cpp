#include "al/al_queue_openal.h"

namespace vellum {

TAlQueue::TAlQueue(const std::shared_ptr<TAlOutput>& output, ALuint source, int count) : _source(source) {
    Make(output, count);
}

void TAlQueue::Make(const std::shared_ptr<TAlOutput>& output, int count) {
    for (int i = 0; i < count; ++i) {
        TAlName buffer = TAlName::Make(TAlName::BUFFER, output);
        if (!buffer) break;
        _free.push_back(buffer.Id());
        _buffers.push_back(std::move(buffer));
    }
    _complete = static_cast<int>(_buffers.size()) == count;
}

int TAlQueue::Reclaim() {
    ALint processed = 0;
    alGetSourcei(_source, AL_BUFFERS_PROCESSED, &processed);
    for (ALint i = 0; i < processed; ++i) {
        ALuint id = 0;
        alSourceUnqueueBuffers(_source, 1, &id);
        _free.push_back(id);
    }
    return processed;
}

bool TAlQueue::Queue(ALenum format, const void* frames, int bytes, int hertz) {
    if (_free.empty()) return false;
    ALuint id = _free.back();
    alGetError();
    alBufferData(id, format, frames, bytes, hertz);  // OpenAL copies them
    alSourceQueueBuffers(_source, 1, &id);
    if (alGetError() != AL_NO_ERROR) return false;
    _free.pop_back();
    return true;
}

void TAlQueue::KeepPlaying() {
    ALint state = AL_STOPPED;
    alGetSourcei(_source, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING && Queued() > 0) alSourcePlay(_source);
}

void TAlQueue::Clear() {
    alSourceStop(_source);
    alSourcei(_source, AL_BUFFER, 0);
    _free.clear();
    for (auto& buffer : _buffers)
        if (buffer) _free.push_back(buffer.Id());
}

void TAlQueue::Remake(const std::shared_ptr<TAlOutput>& output, ALuint source) {
    int count = static_cast<int>(_buffers.size());
    _source = source;
    _buffers.clear();  // names of the old device: forgotten, not deleted
    _free.clear();
    Make(output, count);
}

}  // namespace vellum
