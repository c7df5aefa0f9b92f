#include "system/system_driver.h"
#include "system_driver_seam.h"

#include <ctime>

#include "system/event.h"
#include "system/event_queue.h"
#include "system/polled_input.h"
#include "platform_system_driver.h"

namespace vellum {

namespace {

struct SystemState {
    Ref<TSystemDriver> driver;
    bool started = false;
    bool busy = false;  // shared by Poll and Wait: the driver is never re-entered
};

SystemState& State() {
    static auto* state = new SystemState;  // lives for the whole run
    return *state;
}

// Runs one pumping call of the driver unless one is already running.
template <class Call>
int Pump(Call call) {
    InitSystemModule();
    // Events pumped here feed the polled input and the event queue, so both
    // are listening before the first one arrives.
    InitPolledInputModule();
    InitEventQueueModule();
    auto& state = State();
    if (state.busy || !state.driver) return 0;
    Ref<TSystemDriver> driver = state.driver;
    state.busy = true;
    try {
        call(*driver);
    } catch (...) {
        state.busy = false;
        throw;
    }
    state.busy = false;
    return 1;
}

String FormatNow(const char* format) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[256];
    size_t length = std::strftime(buf, sizeof buf, format, &local);
    return FromUtf8(std::string_view(buf, length));
}

}  // namespace

void SetSystemDriver(Ref<TSystemDriver> driver) {
    InitSystemModule();  // the program's driver replaces the native one, never the other way round
    State().driver = std::move(driver);
}

const Ref<TSystemDriver>& SystemDriver() {
    InitSystemModule();
    return State().driver;
}

int PollSystemEvents() {
    return Pump([](TSystemDriver& driver) { driver.Poll(); });
}

int WaitSystemEvents() {
    return Pump([](TSystemDriver& driver) { driver.Wait(); });
}

void MoveMouse(int x, int y) {
    if (auto& driver = SystemDriver()) driver->MoveMouse(x, y);
}

void ShowMouseCursor() {
    if (auto& driver = SystemDriver()) driver->SetMouseVisible(1);
}

void HideMouseCursor() {
    if (auto& driver = SystemDriver()) driver->SetMouseVisible(0);
}

int Notify(const String& text, int serious) {
    auto& driver = SystemDriver();
    return driver ? driver->Notify(text, serious) : 0;
}

int Confirm(const String& text, int serious) {
    auto& driver = SystemDriver();
    return driver ? driver->Confirm(text, serious) : 0;
}

int Proceed(const String& text, int serious) {
    auto& driver = SystemDriver();
    return driver ? driver->Proceed(text, serious) : -1;
}

String RequestFile(const String& text, const String& extensions, int save, const String& path) {
    auto& driver = SystemDriver();
    return driver ? driver->RequestFile(text, extensions, save, path) : String();
}

String RequestDir(const String& text, const String& path) {
    auto& driver = SystemDriver();
    return driver ? driver->RequestDir(text, path) : String();
}

int OpenURL(const String& url) {
    auto& driver = SystemDriver();
    return driver ? driver->OpenURL(url) : 0;
}

String CurrentDateText() { return FormatNow("%d %b %Y"); }

String CurrentTimeText() { return FormatNow("%H:%M:%S"); }

void InitSystemModule() {
    auto& state = State();
    if (state.started) return;
    state.started = true;
    InitEventModule();
    State().driver = CreateNativeSystemDriver();
}

}  // namespace vellum
