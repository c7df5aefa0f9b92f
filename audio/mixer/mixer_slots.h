#pragma once
// The program thread's table of channel slots: a free list threaded
// through the slots with slot 0 as its head, a generation per slot that
// grows by 4096 at every allocation, and what the program last asked of
// each voice. A handle is its slot index OR the slot's generation, and is
// valid while the slot is allocated with that generation.

#include <cstdint>
#include <memory>
#include <vector>

#include "streaming/stream_feed.h"

namespace vellum {

struct TMixerSlot {
    std::uint32_t generation = 4096;
    int next = 0;            // next free slot while free
    bool allocated = false;
    bool temporary = false;  // freed once its voice is over
    std::uint32_t seq = 0;   // requests posted for the slot
    int status = 0;          // status once the posted requests are applied
    int position = 0;        // position as the program last knew it
    std::unique_ptr<TStreamFeed> feed;  // decoding a streamed sound for the voice
};

class TMixerSlots {
public:
    TMixerSlots();

    // Frees every slot; generations carry on, so older handles stay stale.
    void Reset();
    // Pops the free list and returns the new handle; 0 when none is free.
    int Alloc();
    // Pushes slot index back on the free list; a stream feed of the slot stops.
    void Free(int index);
    // The slot of a valid handle; Null when the handle is stale or malformed.
    TMixerSlot* Find(int handle);

private:
    std::vector<TMixerSlot> _slots;
};

}  // namespace vellum
