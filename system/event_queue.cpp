#include "system/event_queue.h"

#include <array>

#include "runtime/exception.h"
#include "runtime/handle.h"
#include "system/hook.h"
#include "system/system_driver.h"

namespace vellum {

namespace {

constexpr unsigned kQueueSize = 256;

struct EventQueue {
    std::array<Ref<TEvent>, kQueueSize> slots;
    unsigned put = 0;
    unsigned get = 0;
    Ref<TEvent> nullEvent = New<TEvent>();
    Ref<TEvent> current = nullEvent;

    bool Empty() const { return put == get; }
    unsigned Count() const { return put - get; }
};

EventQueue& Queue() {
    static auto* queue = new EventQueue;  // lives for the whole run
    return *queue;
}

bool Coalesces(int id) {
    return id == EVENT_TIMERTICK || id == EVENT_GADGETACTION || id == EVENT_WINDOWMOVE || id == EVENT_WINDOWSIZE;
}

Ref<TObject> QueueEmittedEvent(int, const Ref<TObject>& data, const Ref<TObject>&) {
    auto event = Cast<TEvent>(data);
    if (!event) return nullptr;
    QueueEvent(event, Coalesces(event->id) ? 1 : 0);
    return event;
}

int TakeOldest() {
    auto& queue = Queue();
    if (queue.Empty()) {
        queue.current = queue.nullEvent;
        return 0;
    }
    auto& slot = queue.slots[queue.get++ % kQueueSize];
    queue.current = std::move(slot);
    slot = nullptr;
    return queue.current->id;
}

}  // namespace

void QueueEvent(const Ref<TEvent>& event, int coalesce) {
    NotNull(event, u"Event");
    auto& queue = Queue();
    if (coalesce) {
        for (unsigned i = queue.get; i != queue.put; ++i) {
            TEvent& queued = *queue.slots[i % kQueueSize];
            if (queued.id == event->id && queued.source == event->source) {
                queued.data = event->data;
                queued.mods = event->mods;
                queued.x = event->x;
                queued.y = event->y;
                queued.extra = event->extra;
                return;
            }
        }
    }
    if (queue.Count() == kQueueSize) return;
    queue.slots[queue.put++ % kQueueSize] = event;
}

Ref<TEvent> PeekQueuedEvent() {
    auto& queue = Queue();
    if (queue.Empty()) PollSystemEvents();
    return queue.Empty() ? nullptr : queue.slots[queue.get % kQueueSize];
}

int PollQueuedEvent() {
    if (Queue().Empty()) PollSystemEvents();
    return TakeOldest();
}

int WaitQueuedEvent() {
    // Without a system driver (or while one is already pumping) nothing can
    // arrive, so an empty queue gives the Null event instead of a hang.
    while (Queue().Empty())
        if (!WaitSystemEvents()) break;
    return TakeOldest();
}

int QueuedEventCount() { return static_cast<int>(Queue().Count()); }

Ref<TEvent> CurrentEvent() { return Queue().current; }
int CurrentEventId() { return Queue().current->id; }
int CurrentEventData() { return Queue().current->data; }
int CurrentEventMods() { return Queue().current->mods; }
int CurrentEventX() { return Queue().current->x; }
int CurrentEventY() { return Queue().current->y; }
Ref<TObject> CurrentEventExtra() { return Queue().current->extra; }
Ref<TObject> CurrentEventSource() { return Queue().current->source; }

String CurrentEventText() {
    String text;
    UnboxString(Queue().current->extra, text);
    return text;
}

int CurrentEventSourceHandle() { return HandleFromObject(Queue().current->source); }

void InitEventQueueModule() {
    static bool started = false;
    if (started) return;
    started = true;
    InitEventModule();
    InitSystemModule();
    Queue();
    // After every other subscriber: polled input runs at priority 0.
    InsertHook(EmitHookId(), QueueEmittedEvent, nullptr, -10000);
}

}  // namespace vellum
