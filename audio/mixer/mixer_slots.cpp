#include "mixer/mixer_slots.h"

#include "mixer/mixer.h"

namespace vellum {

namespace {

// Generations stay below bit 31, so a handle is always a positive int.
constexpr std::uint32_t kGenerationMask = 0x7FFFF000u;

}  // namespace

TMixerSlots::TMixerSlots() : _slots(MIXER_SLOTS) { Reset(); }

void TMixerSlots::Reset() {
    for (int i = 0; i < MIXER_SLOTS; ++i) {
        TMixerSlot& slot = _slots[i];
        std::uint32_t generation = slot.generation;
        slot = TMixerSlot{};
        slot.generation = generation;
        slot.next = i + 1 < MIXER_SLOTS ? i + 1 : 0;
    }
}

int TMixerSlots::Alloc() {
    int index = _slots[0].next;
    if (index == 0) return 0;
    TMixerSlot& slot = _slots[index];
    _slots[0].next = slot.next;
    slot.generation = (slot.generation + MIXER_SLOTS) & kGenerationMask;
    slot.allocated = true;
    slot.temporary = false;
    slot.status = 0;
    slot.position = 0;
    return static_cast<int>(slot.generation) | index;
}

void TMixerSlots::Free(int index) {
    TMixerSlot& slot = _slots[index];
    if (!slot.allocated) return;
    slot.allocated = false;
    slot.temporary = false;
    slot.feed.reset();
    slot.next = _slots[0].next;
    _slots[0].next = index;
}

TMixerSlot* TMixerSlots::Find(int handle) {
    int index = handle & MIXER_SLOT_MASK;
    if (handle <= 0 || index == 0) return nullptr;
    TMixerSlot& slot = _slots[index];
    if (!slot.allocated || slot.generation != (static_cast<std::uint32_t>(handle) & ~std::uint32_t(MIXER_SLOT_MASK)))
        return nullptr;
    return &slot;
}

}  // namespace vellum
