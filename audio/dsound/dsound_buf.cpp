#include "dsound/dsound_buf.h"

#include "runtime/exception.h"

namespace vellum {

TBuf::~TBuf() { DropBufList(_succ); }

Ref<TBuf> TBuf::Create(Ref<TSoundBuffer> buffer) {
    auto buf = New<TBuf>();
    buf->_buffer = std::move(buffer);
    return buf;
}

int TBuf::StatusPlaying() {
    if (!_buffer) return 0;
    int status = 0;
    CheckSoundResult(_buffer->GetStatus(&status), "DirectSound");
    return (status & SOUND_STATUS_PLAYING) ? 1 : 0;
}

int TBuf::Active() { return _paused == 1 || StatusPlaying() ? 1 : 0; }

int TBuf::Playing() { return _paused == 1 ? 0 : StatusPlaying(); }

void TBuf::Release() {
    _buffer = nullptr;
    _paused = 0;
    ++_seq;
}

void DropBufList(Ref<TBuf>& head) {
    Ref<TBuf> next = std::move(head);
    // Unlink each buffer that only this list holds before it goes.
    while (next && next.use_count() == 1) {
        Ref<TBuf> after = std::move(next->_succ);
        next = std::move(after);
    }
}

int TSoundDevice::CreateStreamBuffer(const TPcmFormat&, const TSoundBufferDesc&, const std::shared_ptr<TAudioStream>&,
                                     Ref<TSoundBuffer>*) {
    return SOUND_ERR_INVALID_PARAM;
}

void CheckSoundResult(int result, const char* step) {
    if (result >= 0) return;
    throw TRuntimeException(FromLatin1(step) + u" failed (" + ToString(result & 0xFFFF) + u")");
}

}  // namespace vellum
