#pragma once
// TBuf: one platform sound buffer of the "DirectSound" driver, carrying at
// most one voice at a time. Buffers of a sound form a list through _succ.

#include "dsound/sound_buffer.h"

namespace vellum {

class TBuf : public TObject {
public:
    ~TBuf() override;

    // A buffer wrapping a platform buffer.
    static Ref<TBuf> Create(Ref<TSoundBuffer> buffer);

    // 1 while a channel holds the buffer cued or paused, or it is playing.
    int Active();
    // 1 while the buffer plays and no channel holds it paused.
    int Playing();
    // Releases the platform buffer; a channel that still held it goes stale.
    void Release();

    Ref<TBuf> _succ;
    Ref<TSoundBuffer> _buffer;  // Null once released
    int _seq = 0;               // grows whenever the channel that used the buffer loses it
    int _paused = 0;            // 1 while a channel holds the buffer cued or paused

private:
    int StatusPlaying();
};

// Drops a list of buffers one link at a time, so long lists cannot
// exhaust the stack.
void DropBufList(Ref<TBuf>& head);

// Raises "<step> failed (<low 16 bits of result>)" when result is negative.
void CheckSoundResult(int result, const char* step);

}  // namespace vellum
