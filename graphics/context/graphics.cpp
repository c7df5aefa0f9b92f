#include "graphics/graphics.h"

#include "context/context_start.h"
#include "runtime/exit_functions.h"
#include "system/clock.h"
#include "system/hook.h"
#include "system/polled_input.h"
#include "system/system_driver.h"

namespace vellum {

namespace {

struct GraphicsState {
    int flipHook = -1;
    int defaultFlags = 0;
    Ref<TGraphicsDriver> driver;
    bool driverChosen = false;  // by the program or by the first use below
    TGraphicsDriverStart defaultDriverStart = nullptr;
    std::vector<Ref<TGraphicsMode>> modes;
    Ref<TGraphics> current;
    int width = 0, height = 0, depth = 0, hertz = 0, flags = 0;
    Ref<TGraphics> opened;
    // Frame pacing of Flip(-1).
    bool softSync = false;
    bool vsync = false;
    int syncHertz = 0;
    int syncPeriod = 0;     // whole milliseconds per frame
    int syncRemainder = 0;  // the milliseconds left over per second, spread over the frames
    int syncAccumulator = 0;
    int nextFlip = 0;
    int seq = 1;
    bool closeAtExit = false;
    String failure;  // why the last creation gave Null
};

GraphicsState& State() {
    static auto* state = new GraphicsState;  // lives for the whole run
    return *state;
}

// The current driver. A program that never chose one gets the module's
// default driver on first use, as if it had started that driver itself.
const Ref<TGraphicsDriver>& Driver() {
    auto& s = State();
    if (!s.driverChosen) {
        InitGraphicsModule();  // names the default driver
        if (s.defaultDriverStart) s.defaultDriverStart();
    }
    return s.driver;
}

void BumpSeq() {
    auto& s = State();
    // Unsigned arithmetic wraps without overflow; 0 is never a valid number.
    s.seq = static_cast<int>(static_cast<unsigned>(s.seq) + 1u);
    if (s.seq == 0) s.seq = 1;
}

void ClearSettings() {
    auto& s = State();
    s.current = nullptr;
    s.width = s.height = s.depth = s.hertz = s.flags = 0;
}

// Releases the current context from its driver before a switch.
void UnbindCurrent() {
    auto& s = State();
    if (s.driver && s.current) s.driver->SetGraphics(nullptr);
}

void PacedFlip() {
    auto& s = State();
    s.nextFlip += s.syncPeriod;
    s.syncAccumulator += s.syncRemainder;
    if (s.syncAccumulator >= s.syncHertz) {
        s.syncAccumulator -= s.syncHertz;
        ++s.nextFlip;
    }
    int wait = s.nextFlip - MilliSecs();
    if (wait > 0)
        Delay(wait);
    else
        s.nextFlip -= wait;  // a late frame restarts the clock instead of bursting to catch up
    s.driver->Flip(0);
}

}  // namespace

String TGraphicsMode::ToString() const {
    return vellum::ToString(width) + u"," + vellum::ToString(height) + u"," + vellum::ToString(depth) + u" " +
           vellum::ToString(hertz) + u"Hz";
}

void SetGraphicsDriver(Ref<TGraphicsDriver> driver, int defaultFlags) {
    StartGraphicsContexts();
    auto& s = State();
    s.driverChosen = true;
    BumpSeq();
    if (driver != s.driver) {
        UnbindCurrent();
        s.modes.clear();
        s.driver = std::move(driver);
    }
    s.defaultFlags = defaultFlags;
    ClearSettings();
}

Ref<TGraphicsDriver> GetGraphicsDriver() { return Driver(); }
int DefaultGraphicsFlags() { return State().defaultFlags; }

std::vector<Ref<TGraphicsMode>> GraphicsModes() {
    auto& s = State();
    if (s.modes.empty() && Driver()) s.modes = s.driver->GraphicsModes();
    return s.modes;
}

int CountGraphicsModes() { return static_cast<int>(GraphicsModes().size()); }

bool GetGraphicsMode(int index, int& width, int& height, int& depth, int& hertz) {
    auto modes = GraphicsModes();
    if (index < 0 || index >= static_cast<int>(modes.size()) || !modes[index]) return false;
    width = modes[index]->width;
    height = modes[index]->height;
    depth = modes[index]->depth;
    hertz = modes[index]->hertz;
    return true;
}

int GraphicsModeExists(int width, int height, int depth, int hertz) {
    for (const auto& mode : GraphicsModes()) {
        if (!mode) continue;
        if ((!width || mode->width == width) && (!height || mode->height == height) &&
            (!depth || mode->depth == depth) && (!hertz || mode->hertz == hertz))
            return 1;
    }
    return 0;
}

namespace {

// A driver's answer, with the reason kept when there is no context.
template <class Make>
Ref<TGraphics> MadeOrExplained(Make&& make) {
    auto& s = State();
    s.failure.clear();
    if (!Driver()) {
        s.failure = u"there is no graphics driver";
        return nullptr;
    }
    Ref<TGraphics> g;
    try {
        g = make(*s.driver);
    } catch (const std::exception& e) {
        if (s.failure.empty()) s.failure = FromUtf8(e.what());
    }
    if (g)
        s.failure.clear();
    else if (s.failure.empty())
        s.failure = u"the graphics driver made no context";
    return g;
}

}  // namespace

Ref<TGraphics> CreateGraphics(int width, int height, int depth, int hertz, int flags) {
    return MadeOrExplained([&](TGraphicsDriver& driver) {
        return driver.CreateGraphics(width, height, depth, hertz, flags | State().defaultFlags);
    });
}

Ref<TGraphics> AttachGraphics(intptr_t widget, int flags) {
    return MadeOrExplained(
        [&](TGraphicsDriver& driver) { return driver.AttachGraphics(widget, flags | State().defaultFlags); });
}

String GraphicsFailure() { return State().failure; }

void SetGraphicsFailure(const String& reason) { State().failure = reason; }

void SetGraphics(const Ref<TGraphics>& g) {
    auto& s = State();
    if (!g) {
        UnbindCurrent();
        ClearSettings();
        return;
    }
    Ref<TGraphicsDriver> driver = g->Driver();
    if (driver != s.driver) {
        UnbindCurrent();
        s.modes.clear();
        s.driver = driver;
    }
    g->GetSettings(s.width, s.height, s.depth, s.hertz, s.flags);
    driver->SetGraphics(g);
    s.current = g;
}

void CloseGraphicsContext(const Ref<TGraphics>& g) {
    if (!g) return;
    auto& s = State();
    Ref<TGraphics> closing = g;  // g may be the very field cleared below
    if (closing == s.opened) s.opened = nullptr;
    if (closing == s.current) SetGraphics(nullptr);
    closing->Close();
}

Ref<TGraphics> CurrentGraphics() { return State().current; }
int GraphicsWidth() { return State().width; }
int GraphicsHeight() { return State().height; }
int GraphicsDepth() { return State().depth; }
int GraphicsHertz() { return State().hertz; }
int GraphicsFlags() { return State().flags; }

Ref<TGraphics> OpenGraphics(int width, int height, int depth, int hertz, int flags) {
    CloseGraphics();
    auto& s = State();
    Ref<TGraphics> g = CreateGraphics(width, height, depth, hertz, flags | s.defaultFlags);
    if (!g) return nullptr;
    BumpSeq();
    SetGraphics(g);
    if (depth) {
        s.softSync = false;
        s.vsync = hertz != 0;
        MoveMouse(width / 2, height / 2);
    } else {
        s.vsync = false;
        s.softSync = hertz != 0;
    }
    if (s.softSync) {
        s.syncHertz = hertz;
        s.syncPeriod = hertz ? 1000 / hertz : 0;
        s.syncRemainder = 1000 - s.syncPeriod * hertz;
        s.syncAccumulator = 0;
        s.nextFlip = MilliSecs();
    }
    StartPolledInput(nullptr);
    s.opened = g;
    if (!s.closeAtExit) {
        s.closeAtExit = true;
        AddExitFunction(CloseGraphics);
    }
    return g;
}

void Flip(int sync) {
    auto& s = State();
    CallHooks(s.flipHook, nullptr);
    if (!s.driver) return;
    if (sync != -1)
        s.driver->Flip(sync);
    else if (s.current != s.opened)
        s.driver->Flip(1);
    else if (s.softSync)
        PacedFlip();
    else
        s.driver->Flip(s.vsync ? 1 : 0);
}

void CloseGraphics() {
    auto& s = State();
    if (!s.opened) return;
    BumpSeq();
    StopPolledInput();
    CloseGraphicsContext(s.opened);
}

int FlipHookId() { return State().flipHook; }
int GraphicsSeq() { return State().seq; }

void StartGraphicsContexts() {
    static bool started = false;
    if (started) return;
    started = true;
    InitPolledInputModule();
    State().flipHook = NewHookId();
}

void SetDefaultGraphicsDriver(TGraphicsDriverStart start) { State().defaultDriverStart = start; }

}  // namespace vellum
