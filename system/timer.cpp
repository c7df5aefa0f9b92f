#include "system/timer.h"

#include <algorithm>
#include <vector>

#include "runtime/exception.h"
#include "system/system_driver.h"
#include "platform_timer.h"

namespace vellum {

namespace {

struct ActiveTimer {
    int id;
    Ref<TTimer> timer;  // a running timer stays alive while it is in the table
};

std::vector<ActiveTimer>& ActiveTimers() {
    static auto* table = new std::vector<ActiveTimer>;  // lives for the whole run
    return *table;
}

}  // namespace

Ref<TTimer> TTimer::Create(float hz, Ref<TEvent> event) {
    auto timer = New<TTimer>();
    auto& table = ActiveTimers();
    if (table.size() >= kMaxTimers || !(hz > 0)) return nullptr;
    // The period is whole milliseconds, truncated: 60 Hz ticks every 16 ms.
    float periodMs = 1000.0f / hz;
    if (!(periodMs >= 1.0f && periodMs < 2147483648.0f)) return nullptr;
    int id = StartPeriodicTimer(static_cast<int>(periodMs));
    if (!id) return nullptr;
    table.push_back({id, timer});
    timer->_event = std::move(event);
    timer->_handle = id;
    return timer;
}

void TTimer::Stop() {
    if (!_handle) return;
    auto& table = ActiveTimers();
    auto it = std::find_if(table.begin(), table.end(), [&](const ActiveTimer& t) { return t.id == _handle; });
    Ref<TTimer> keepAlive;  // the table may hold this object's last reference
    if (it != table.end()) {
        StopPeriodicTimer(_handle);
        keepAlive = std::move(it->timer);
        *it = std::move(table.back());
        table.pop_back();
    }
    _handle = 0;
    _event = nullptr;
}

void TTimer::Fire() {
    if (!_handle) return;
    ++_ticks;
    if (_event)
        _event->Emit();
    else
        MakeEvent(EVENT_TIMERTICK, Self(this), _ticks)->Emit();
}

int TTimer::Wait() {
    if (!_handle) return 0;
    while (_ticks == _wticks)
        if (!WaitSystemEvents()) return 0;  // no system driver: no tick can ever come
    int ticks = _ticks - _wticks;
    _wticks += ticks;
    return ticks;
}

void DeliverTimerTick(int id) {
    for (const auto& active : ActiveTimers()) {
        if (active.id == id) {
            Ref<TTimer> keepAlive = active.timer;
            keepAlive->Fire();
            return;
        }
    }
}

Ref<TTimer> CreateTimer(float hz, Ref<TEvent> event) { return TTimer::Create(hz, std::move(event)); }
int TimerTicks(const Ref<TTimer>& timer) { return NotNull(timer, u"Timer").Ticks(); }
int WaitTimer(const Ref<TTimer>& timer) { return NotNull(timer, u"Timer").Wait(); }
void StopTimer(const Ref<TTimer>& timer) { NotNull(timer, u"Timer").Stop(); }

}  // namespace vellum
