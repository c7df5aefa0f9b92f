#pragma once
/// \file
/// The event queue: a ring of 256 events filled from the emit hook, read
/// with PollQueuedEvent / WaitQueuedEvent and the current-event accessors.

#include "system/event.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Queues the event; with coalesce, an already queued event of the same id
/// and source takes over the new event's data instead. A full queue drops
/// the event.
void QueueEvent(const Ref<TEvent>& event, int coalesce);
/// The oldest queued event without removing it, or Null (polls the system once
/// when the queue is empty).
Ref<TEvent> PeekQueuedEvent();
/// Removes the oldest event, makes it current and returns its id; 0 and the
/// Null event as current when there is none (polls the system once first).
int PollQueuedEvent();
/// As PollQueuedEvent, waiting for system events until one is queued.
int WaitQueuedEvent();
/// The number of events in the queue.
int QueuedEventCount();

/// The event the latest poll or wait made current, and its fields; the Null
/// event's fields are 0 and Null.
///@{
Ref<TEvent> CurrentEvent();
int CurrentEventId();
int CurrentEventData();
int CurrentEventMods();
int CurrentEventX();
int CurrentEventY();
Ref<TObject> CurrentEventExtra();
Ref<TObject> CurrentEventSource();
///@}
/// The current event's extra when it is a string, else "".
String CurrentEventText();
/// The integer handle of the current event's source, 0 for Null.
int CurrentEventSourceHandle();

/// Starts the event queue, which then takes every emitted event.
void InitEventQueueModule();

}  // namespace vellum
#pragma GCC visibility pop
