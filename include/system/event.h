#pragma once
/// \file
/// Events: records of something that happened, emitted through the emit hook
/// to every subscriber (polled input, the event queue).

#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Event ids, by what they come from: the application (0x100), keys (0x200),
/// the mouse (0x400), timers (0x800), hot keys, gadgets, windows and menus,
/// streams and processes, and gamepads (0x40000). User ids are allocated
/// from 0x80000001 (TEvent::AllocUserId).
enum : int {
    EVENT_APPSUSPEND = 0x101,
    EVENT_APPRESUME = 0x102,
    EVENT_APPTERMINATE = 0x103,
    EVENT_APPOPENFILE = 0x104,
    EVENT_APPIDLE = 0x105,
    EVENT_KEYDOWN = 0x201,
    EVENT_KEYUP = 0x202,
    EVENT_KEYCHAR = 0x203,
    EVENT_KEYREPEAT = 0x204,
    EVENT_MOUSEDOWN = 0x401,
    EVENT_MOUSEUP = 0x402,
    EVENT_MOUSEMOVE = 0x403,
    EVENT_MOUSEWHEEL = 0x404,
    EVENT_MOUSEENTER = 0x405,
    EVENT_MOUSELEAVE = 0x406,
    EVENT_TIMERTICK = 0x801,
    EVENT_HOTKEYHIT = 0x1001,
    EVENT_GADGETACTION = 0x2001,
    EVENT_GADGETPAINT = 0x2002,
    EVENT_GADGETSELECT = 0x2003,
    EVENT_GADGETMENU = 0x2004,
    EVENT_GADGETOPEN = 0x2005,
    EVENT_GADGETCLOSE = 0x2006,
    EVENT_GADGETDONE = 0x2007,
    EVENT_GADGETLOSTFOCUS = 0x2008,
    EVENT_GADGETSHAPE = 0x2009,
    EVENT_WINDOWMOVE = 0x4001,
    EVENT_WINDOWSIZE = 0x4002,
    EVENT_WINDOWCLOSE = 0x4003,
    EVENT_WINDOWACTIVATE = 0x4004,
    EVENT_WINDOWACCEPT = 0x4005,
    EVENT_MENUACTION = 0x8001,
    EVENT_STREAMEOF = 0x10001,
    EVENT_STREAMAVAIL = 0x10002,
    EVENT_PROCESSEXIT = 0x20001,
    /// Gamepads: data is the pad's index for plugging in and out (extra, its
    /// name), else the button or axis with the pad's index in x; y is an
    /// axis's position, -32768 to 32767.
    EVENT_GAMEPADCONNECT = 0x40001,
    EVENT_GAMEPADDISCONNECT = 0x40002,
    EVENT_GAMEPADBUTTONDOWN = 0x40003,
    EVENT_GAMEPADBUTTONUP = 0x40004,
    EVENT_GAMEPADAXIS = 0x40005,
};

/// Modifier mask bits.
enum : int { MODIFIER_SHIFT = 1, MODIFIER_CONTROL = 2, MODIFIER_OPTION = 4, MODIFIER_SYSTEM = 8 };

/// An event: what happened (id), where it came from, and its values.
class TEvent : public TObject {
public:
    int id = 0;            ///< one of the EVENT_ ids or a user id
    Ref<TObject> source;   ///< the object it came from, Null for the system
    int data = 0;          ///< the key, button, character or other value of the event
    int mods = 0;          ///< the MODIFIER_ bits held at the time
    int x = 0;             ///< a position or second value
    int y = 0;             ///< a position or third value
    Ref<TObject> extra;    ///< anything else the event carries, such as a boxed string

    /// An event with these values.
    static Ref<TEvent> Create(int id, Ref<TObject> source = nullptr, int data = 0, int mods = 0, int x = 0,
                              int y = 0, Ref<TObject> extra = nullptr);
    /// Runs the emit hook with this event; the hook's result is ignored.
    void Emit();
    /// "KeyDown: data=65, mods=0, x=0, y=0, extra=\"\"" and the like.
    String ToString() const;

    /// The next user event id: 0x80000001, 0x80000002, ...
    static int AllocUserId();
    /// Names an id; the first name given to an id is the one that counts.
    static void RegisterId(int id, const String& description);
    /// The name of an id, or the empty string.
    static String DescriptionForId(int id);
};

/// The hook every event is emitted through.
int EmitHookId();

/// An event with these values (TEvent::Create).
Ref<TEvent> MakeEvent(int id, Ref<TObject> source = nullptr, int data = 0, int mods = 0, int x = 0, int y = 0,
                      Ref<TObject> extra = nullptr);
/// Emits the event.
void SendEvent(const Ref<TEvent>& event);
/// Allocates a user event id, naming it when the description is not empty.
int NewUserEventId(const String& description);

/// Starts the event module: the emit hook and the names of the ids.
void InitEventModule();

}  // namespace vellum
#pragma GCC visibility pop
