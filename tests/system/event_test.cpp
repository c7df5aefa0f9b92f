#include <gtest/gtest.h>

#include "system/event.h"
#include "system/hook.h"

using namespace vellum;

namespace {

Ref<TObject> Swallow(int, const Ref<TObject>&, const Ref<TObject>&) { return nullptr; }

struct TCount : TObject {
    int seen = 0;
};

Ref<TObject> CountEvents(int, const Ref<TObject>& data, const Ref<TObject>& context) {
    if (Cast<TEvent>(data)) ++Cast<TCount>(context)->seen;
    return data;
}

}  // namespace

TEST(Events, SystemKindsAreNamed) {
    InitEventModule();
    EXPECT_EQ(TEvent::DescriptionForId(EVENT_KEYDOWN), u"KeyDown");
    EXPECT_EQ(TEvent::DescriptionForId(EVENT_TIMERTICK), u"TimerTick");
    EXPECT_EQ(TEvent::DescriptionForId(EVENT_PROCESSEXIT), u"ProcessExit");
    EXPECT_EQ(TEvent::DescriptionForId(999), u"");
    EXPECT_EQ(EmitHookId(), 0);
}

TEST(Events, TextNamesTheKindAndFields) {
    InitEventModule();
    auto event = MakeEvent(EVENT_KEYCHAR, nullptr, 65, 3, -4, 5, BoxString(u"\u00C4"));
    EXPECT_EQ(event->ToString(), u"KeyChar: data=65, mods=3, x=-4, y=5, extra=\"\u00C4\"");
    EXPECT_EQ(MakeEvent(999)->ToString(), u"Unknown Event, id=999: data=0, mods=0, x=0, y=0, extra=\"\"");
    EXPECT_EQ(MakeEvent(EVENT_MOUSEUP, nullptr, 0, 0, 0, 0, New<TCount>())->ToString(),
              u"MouseUp: data=0, mods=0, x=0, y=0, extra=\"\"");
}

TEST(Events, UserIdsCountUpFromTheTopBit) {
    InitEventModule();
    int first = NewUserEventId(u"");
    EXPECT_EQ(static_cast<unsigned>(first), 0x80000001u);
    EXPECT_EQ(MakeEvent(first)->ToString().rfind(u"UserEvent1: data=0", 0), 0u);
    int named = NewUserEventId(u"Splash");
    EXPECT_EQ(static_cast<unsigned>(named), 0x80000002u);
    EXPECT_EQ(MakeEvent(named)->ToString().rfind(u"Splash: ", 0), 0u);
}

TEST(Events, TheFirstRegistrationOfAnIdWins) {
    InitEventModule();
    TEvent::RegisterId(EVENT_KEYDOWN, u"Other");
    TEvent::RegisterId(4242, u"Mine");
    TEvent::RegisterId(4242, u"Theirs");
    EXPECT_EQ(TEvent::DescriptionForId(EVENT_KEYDOWN), u"KeyDown");
    EXPECT_EQ(TEvent::DescriptionForId(4242), u"Mine");
}

TEST(Events, EmitRunsTheEmitHookAndIgnoresItsResult) {
    InitEventModule();
    auto count = New<TCount>();
    InsertHook(EmitHookId(), Swallow, nullptr, 10);  // returns Null to later subscribers
    InsertHook(EmitHookId(), CountEvents, count, 20);
    auto event = MakeEvent(EVENT_KEYDOWN, nullptr, 65);
    SendEvent(event);
    event->Emit();
    EXPECT_EQ(count->seen, 2);
}
