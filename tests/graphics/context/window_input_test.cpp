#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <vector>

#include "display_test_util.h"
#include "graphics/glgraphics.h"
#include "system/event.h"
#include "system/hook.h"
#include "system/polled_input.h"

using namespace vellum;
using testutil::PumpFor;
using testutil::PumpUntil;
using testutil::Shell;

namespace {

struct TEventLog : TObject {
    std::vector<Ref<TEvent>> events;
    std::vector<Ref<TEvent>> Of(int id) const {
        std::vector<Ref<TEvent>> found;
        for (const auto& e : events)
            if (e->id == id) found.push_back(e);
        return found;
    }
};

Ref<TObject> LogEvent(int, const Ref<TObject>& data, const Ref<TObject>& context) {
    if (auto event = Cast<TEvent>(data)) Cast<TEventLog>(context)->events.push_back(event);
    return data;
}

// A real window with the keyboard focus, driven by real X input.
class WindowInputTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "display tests need an X server";
        InitGLGraphicsModule();
        ASSERT_NE(OpenGraphics(400, 300, 0, 0, 0), nullptr);
        window = testutil::OurWindow();
        ASSERT_FALSE(window.empty());
        Shell("timeout 5 xdotool windowfocus --sync " + window);
        ASSERT_TRUE(PumpUntil([] { return AppIsSuspended() == 0; }));
        PumpFor(100);
        FlushKeys();
        FlushMouse();
        InsertHook(EmitHookId(), LogEvent, log, 10);
    }
    void TearDown() override {
        DeleteHook(EmitHookId(), LogEvent, log);
        CloseGraphics();
    }
    void Xdotool(const std::string& args) { Shell("timeout 5 xdotool " + args); }

    std::string window;
    Ref<TEventLog> log = New<TEventLog>();
};

}  // namespace

TEST_F(WindowInputTest, EveryPressBetweenTwoReadsCounts) {
    Xdotool("key --delay 30 a a a");
    ASSERT_TRUE(PumpUntil([&] { return log->Of(EVENT_KEYUP).size() >= 3; }));
    EXPECT_EQ(KeyHits(KEY_A), 3);
    EXPECT_EQ(KeyHits(KEY_A), 0);
    EXPECT_EQ(log->Of(EVENT_KEYDOWN).front()->data, KEY_A);
}

TEST_F(WindowInputTest, AHeldKeyIsDownAndCountsOnce) {
    Xdotool("keydown Left");
    ASSERT_TRUE(PumpUntil([] { return KeyDown(KEY_LEFT) == 1; }));
    PumpFor(700);  // long enough for the server's auto-repeat to start
    EXPECT_EQ(KeyDown(KEY_LEFT), 1);
    Xdotool("keyup Left");
    ASSERT_TRUE(PumpUntil([] { return KeyDown(KEY_LEFT) == 0; }));
    EXPECT_EQ(KeyHits(KEY_LEFT), 1);
}

TEST_F(WindowInputTest, ModifierSidesAndMasks) {
    Xdotool("keydown Control_L keyup Control_L keydown Control_R keyup Control_R keydown Shift_R keyup Shift_R");
    ASSERT_TRUE(PumpUntil([&] { return log->Of(EVENT_KEYUP).size() >= 3; }));
    auto downs = log->Of(EVENT_KEYDOWN);
    // xdotool presses the left key of a modifier along with the right one, so
    // look for each side rather than an exact sequence.
    auto downOf = [&](int key) -> Ref<TEvent> {
        for (const auto& e : downs)
            if (e->data == key) return e;
        return nullptr;
    };
    ASSERT_NE(downOf(KEY_LCONTROL), nullptr);
    ASSERT_NE(downOf(KEY_RCONTROL), nullptr);
    ASSERT_NE(downOf(KEY_RSHIFT), nullptr);
    // The key's own event already carries its modifier bit.
    EXPECT_EQ(downOf(KEY_LCONTROL)->mods, MODIFIER_CONTROL);
    EXPECT_EQ(downOf(KEY_RCONTROL)->mods, MODIFIER_CONTROL);
    EXPECT_EQ(downOf(KEY_RSHIFT)->mods, MODIFIER_SHIFT);
    EXPECT_EQ(log->Of(EVENT_KEYUP)[0]->mods, 0);
    EXPECT_EQ(log->Of(EVENT_KEYUP).back()->mods, 0);
    Xdotool("key ctrl+x");
    ASSERT_TRUE(PumpUntil([] { return KeyDown(KEY_X) == 0 && KeyHits(KEY_X) == 1; }));
}

TEST_F(WindowInputTest, TypedTextArrivesAsCharacters) {
    Xdotool("type --delay 20 'Hi!'");
    ASSERT_TRUE(PumpUntil([&] { return log->Of(EVENT_KEYCHAR).size() >= 3; }));
    EXPECT_EQ(NextKeyChar(), 'H');
    EXPECT_EQ(NextKeyChar(), 'i');
    EXPECT_EQ(NextKeyChar(), '!');
    EXPECT_EQ(NextKeyChar(), 0);
}

TEST_F(WindowInputTest, MouseMovesClicksAndWheel) {
    Xdotool("mousemove 1000 700");  // start outside the window
    PumpFor(100);
    log->events.clear();
    Xdotool("mousemove --window " + window + " 50 60");
    ASSERT_TRUE(PumpUntil([] { return MouseX() == 50 && MouseY() == 60; }));
    EXPECT_FALSE(log->Of(EVENT_MOUSEENTER).empty());
    Xdotool("click 1 click 3 click 3");
    ASSERT_TRUE(PumpUntil([&] { return log->Of(EVENT_MOUSEUP).size() >= 3; }));
    EXPECT_EQ(MouseHits(1), 1);
    EXPECT_EQ(MouseHits(2), 2);  // X's button 3 is the right button
    EXPECT_EQ(log->Of(EVENT_MOUSEDOWN)[0]->x, 50);
    Xdotool("click 4 click 4 click 5 click 4");
    ASSERT_TRUE(PumpUntil([&] { return log->Of(EVENT_MOUSEWHEEL).size() >= 4; }));
    EXPECT_EQ(MouseWheelPosition(), 2);
    Xdotool("mousemove 1000 700");  // outside the window
    ASSERT_TRUE(PumpUntil([&] { return !log->Of(EVENT_MOUSELEAVE).empty(); }));
}

TEST_F(WindowInputTest, LosingTheFocusToAnotherProgramSuspends) {
    Xdotool("keydown Up");
    ASSERT_TRUE(PumpUntil([] { return KeyDown(KEY_UP) == 1; }));
    Shell("(xmessage -name vellum-other -geometry 100x50+600+500 other >/dev/null 2>&1 & echo $! > /tmp/vellum-xmessage-$PPID.pid)");
    std::string other = Shell("timeout 5 xdotool search --sync --classname vellum-other | head -n 1");
    ASSERT_FALSE(other.empty());
    Xdotool("windowfocus --sync " + other);
    bool suspended = PumpUntil([] { return AppIsSuspended() == 1; });
    Xdotool("keyup Up");
    Shell("kill $(cat /tmp/vellum-xmessage-$PPID.pid); rm -f /tmp/vellum-xmessage-$PPID.pid");
    ASSERT_TRUE(suspended);
    EXPECT_EQ(KeyDown(KEY_UP), 0);
    EXPECT_EQ(KeyHits(KEY_UP), 0);
    Xdotool("windowfocus --sync " + window);
    EXPECT_TRUE(PumpUntil([] { return AppIsSuspended() == 0; }));
    EXPECT_EQ(log->Of(EVENT_APPSUSPEND).size(), 1u);
}

TEST_F(WindowInputTest, ACloseRequestLeavesTheWindowAlone) {
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = 1;
    SDL_PushEvent(&close);
    ASSERT_TRUE(PumpUntil([&] { return !log->Of(EVENT_APPTERMINATE).empty(); }));
    EXPECT_EQ(AppTerminateRequested(), 1);
    EXPECT_EQ(AppTerminateRequested(), 0);
    EXPECT_FALSE(testutil::OurWindow().empty());
    EXPECT_NE(CurrentGraphics(), nullptr);
}
