#include "system/event.h"

#include <unordered_map>

#include "runtime/exception.h"
#include "system/hook.h"

namespace vellum {

namespace {

struct EventRegistry {
    int emitHookId = -1;
    unsigned nextUserId = 0x80000000u;
    std::unordered_map<int, String> descriptions;  // the first registration of an id wins
};

EventRegistry& Registry() {
    static auto* registry = new EventRegistry;  // lives for the whole run
    return *registry;
}

const struct {
    int id;
    const char16_t* description;
} kSystemKinds[] = {
    {EVENT_APPSUSPEND, u"AppSuspend"},       {EVENT_APPRESUME, u"AppResume"},
    {EVENT_APPTERMINATE, u"AppTerminate"},   {EVENT_APPOPENFILE, u"AppOpenFile"},
    {EVENT_APPIDLE, u"AppIdle"},             {EVENT_KEYDOWN, u"KeyDown"},
    {EVENT_KEYUP, u"KeyUp"},                 {EVENT_KEYCHAR, u"KeyChar"},
    {EVENT_KEYREPEAT, u"KeyRepeat"},         {EVENT_MOUSEDOWN, u"MouseDown"},
    {EVENT_MOUSEUP, u"MouseUp"},             {EVENT_MOUSEMOVE, u"MouseMove"},
    {EVENT_MOUSEWHEEL, u"MouseWheel"},       {EVENT_MOUSEENTER, u"MouseEnter"},
    {EVENT_MOUSELEAVE, u"MouseLeave"},       {EVENT_TIMERTICK, u"TimerTick"},
    {EVENT_HOTKEYHIT, u"HotkeyHit"},         {EVENT_GADGETACTION, u"GadgetAction"},
    {EVENT_GADGETPAINT, u"GadgetPaint"},     {EVENT_GADGETSELECT, u"GadgetSelect"},
    {EVENT_GADGETMENU, u"GadgetMenu"},       {EVENT_GADGETOPEN, u"GadgetOpen"},
    {EVENT_GADGETCLOSE, u"GadgetClose"},     {EVENT_GADGETDONE, u"GadgetDone"},
    {EVENT_GADGETLOSTFOCUS, u"GadgetLostFocus"}, {EVENT_GADGETSHAPE, u"GadgetShape"},
    {EVENT_WINDOWMOVE, u"WindowMove"},       {EVENT_WINDOWSIZE, u"WindowSize"},
    {EVENT_WINDOWCLOSE, u"WindowClose"},     {EVENT_WINDOWACTIVATE, u"WindowActivate"},
    {EVENT_WINDOWACCEPT, u"WindowAccept"},   {EVENT_MENUACTION, u"MenuAction"},
    {EVENT_STREAMEOF, u"StreamEof"},         {EVENT_STREAMAVAIL, u"StreamAvail"},
    {EVENT_PROCESSEXIT, u"ProcessExit"},
    {EVENT_GAMEPADCONNECT, u"GamepadConnect"},       {EVENT_GAMEPADDISCONNECT, u"GamepadDisconnect"},
    {EVENT_GAMEPADBUTTONDOWN, u"GamepadButtonDown"}, {EVENT_GAMEPADBUTTONUP, u"GamepadButtonUp"},
    {EVENT_GAMEPADAXIS, u"GamepadAxis"},
};

}  // namespace

Ref<TEvent> TEvent::Create(int id, Ref<TObject> source, int data, int mods, int x, int y, Ref<TObject> extra) {
    auto event = New<TEvent>();
    event->id = id;
    event->source = std::move(source);
    event->data = data;
    event->mods = mods;
    event->x = x;
    event->y = y;
    event->extra = std::move(extra);
    return event;
}

void TEvent::Emit() { CallHooks(EmitHookId(), Self(this)); }

String TEvent::ToString() const {
    String description = DescriptionForId(id);
    if (description.empty()) {
        if (id < 0)
            description = u"UserEvent" + vellum::ToString(static_cast<int>(static_cast<unsigned>(id) - 0x80000000u));
        else
            description = u"Unknown Event, id=" + vellum::ToString(id);
    }
    String text;
    UnboxString(extra, text);
    return description + u": data=" + vellum::ToString(data) + u", mods=" + vellum::ToString(mods) + u", x=" +
           vellum::ToString(x) + u", y=" + vellum::ToString(y) + u", extra=\"" + text + u"\"";
}

int TEvent::AllocUserId() { return static_cast<int>(++Registry().nextUserId); }

void TEvent::RegisterId(int id, const String& description) { Registry().descriptions.emplace(id, description); }

String TEvent::DescriptionForId(int id) {
    auto& descriptions = Registry().descriptions;
    auto it = descriptions.find(id);
    return it == descriptions.end() ? String() : it->second;
}

int EmitHookId() { return Registry().emitHookId; }

Ref<TEvent> MakeEvent(int id, Ref<TObject> source, int data, int mods, int x, int y, Ref<TObject> extra) {
    return TEvent::Create(id, std::move(source), data, mods, x, y, std::move(extra));
}

void SendEvent(const Ref<TEvent>& event) { NotNull(event, u"Event").Emit(); }

int NewUserEventId(const String& description) {
    int id = TEvent::AllocUserId();
    if (!description.empty()) TEvent::RegisterId(id, description);
    return id;
}

void InitEventModule() {
    static bool started = false;
    if (started) return;
    started = true;
    InitHookModule();
    Registry().emitHookId = NewHookId();
    for (const auto& kind : kSystemKinds) TEvent::RegisterId(kind.id, kind.description);
}

}  // namespace vellum
