#include <gtest/gtest.h>

#include "display_test_util.h"
#include "graphics/glgraphics.h"
#include "system/hook.h"

using namespace vellum;
using testutil::OurWindow;
using testutil::Shell;

namespace {

class GraphicsContextTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "display tests need an X server";
        InitGLGraphicsModule();
    }
    void TearDown() override { CloseGraphics(); }
};

struct TFlipCount : TObject {
    int flips = 0;
};

Ref<TObject> CountFlip(int, const Ref<TObject>& data, const Ref<TObject>& context) {
    ++Cast<TFlipCount>(context)->flips;
    return data;
}

}  // namespace

TEST_F(GraphicsContextTest, WindowedContextHasTheRequestedClientSizeCaptionAndClass) {
    auto g = OpenGraphics(1024, 768, 0, 60, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(CurrentGraphics(), g);
    EXPECT_EQ(GraphicsWidth(), 1024);
    EXPECT_EQ(GraphicsHeight(), 768);
    EXPECT_EQ(GraphicsDepth(), 0);
    EXPECT_EQ(GraphicsHertz(), 60);
    EXPECT_EQ(GraphicsFlags(), GF_BACKBUFFER);
    std::string window = OurWindow();
    ASSERT_FALSE(window.empty());
    std::string info = Shell("xwininfo -id " + window);
    EXPECT_NE(info.find("Width: 1024"), std::string::npos) << info;
    EXPECT_NE(info.find("Height: 768"), std::string::npos) << info;
    std::string props = Shell("xprop -id " + window + " WM_CLASS WM_NAME");
    EXPECT_NE(props.find("\"Vellum GLGraphics\""), std::string::npos) << props;
    EXPECT_NE(props.find("\"Vellum Application\""), std::string::npos) << props;
    Flip(0);
}

TEST_F(GraphicsContextTest, FullScreenOpensAtTheDisplaySize) {
    auto g = OpenGraphics(1024, 768, 32, 60, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(GraphicsDepth(), 32);
    std::string window = OurWindow();
    ASSERT_FALSE(window.empty());
    std::string info = Shell("xwininfo -id " + window);
    EXPECT_NE(info.find("Width: 1024"), std::string::npos) << info;
    EXPECT_NE(info.find("Absolute upper-left X:  0"), std::string::npos) << info;
    Flip(-1);
}

TEST_F(GraphicsContextTest, AModeTheDisplayLacksGivesNullAndSaysWhy) {
    EXPECT_EQ(OpenGraphics(1000, 500, 32, 60, 0), nullptr);
    EXPECT_EQ(CurrentGraphics(), nullptr);
    EXPECT_EQ(GraphicsFailure(), u"the display has no 1000 x 500 mode");
    EXPECT_EQ(OpenGraphics(0, 0, 0, 60, 0), nullptr);
    EXPECT_EQ(GraphicsFailure(), u"a window needs a width and a height above 0");
    ASSERT_NE(OpenGraphics(320, 240, 0, 0, 0), nullptr);
    EXPECT_EQ(GraphicsFailure(), u"");
}

TEST_F(GraphicsContextTest, ReopeningClosesThePreviousContextAndBumpsTheSequence) {
    int seq0 = GraphicsSeq();
    ASSERT_NE(OpenGraphics(320, 240, 0, 0, 0), nullptr);
    int seq1 = GraphicsSeq();
    EXPECT_NE(seq1, seq0);
    ASSERT_NE(OpenGraphics(640, 480, 0, 0, 0), nullptr);  // closes the first: two bumps
    EXPECT_NE(GraphicsSeq(), seq1);
    EXPECT_EQ(GraphicsWidth(), 640);
    int seq2 = GraphicsSeq();
    CloseGraphics();
    EXPECT_NE(GraphicsSeq(), seq2);
    EXPECT_EQ(CurrentGraphics(), nullptr);
    EXPECT_EQ(GraphicsWidth(), 0);
    int seq3 = GraphicsSeq();
    CloseGraphics();  // nothing open: nothing changes
    EXPECT_EQ(GraphicsSeq(), seq3);
    EXPECT_TRUE(OurWindow().empty());
}

TEST_F(GraphicsContextTest, ModesAreListedAndMatched) {
    int count = CountGraphicsModes();
    ASSERT_GE(count, 1);
    int w = 0, h = 0, d = 0, hz = 0;
    ASSERT_TRUE(GetGraphicsMode(0, w, h, d, hz));
    EXPECT_GE(d, 16);
    EXPECT_EQ(GraphicsModeExists(0, 0, 0, 0), 1);
    EXPECT_EQ(GraphicsModeExists(1024, 768, 0, 0), 1);
    EXPECT_EQ(GraphicsModeExists(1023, 0, 0, 0), 0);
    EXPECT_FALSE(GetGraphicsMode(count, w, h, d, hz));
    auto mode = New<TGraphicsMode>();
    mode->width = 640, mode->height = 480, mode->depth = 32, mode->hertz = 60;
    EXPECT_EQ(mode->ToString(), u"640,480,32 60Hz");
}

TEST_F(GraphicsContextTest, FlipRunsTheFlipHook) {
    ASSERT_NE(OpenGraphics(320, 240, 0, 0, 0), nullptr);
    auto counter = New<TFlipCount>();
    InsertHook(FlipHookId(), CountFlip, counter, 0);
    Flip(0);
    Flip(1);
    Flip(-1);
    EXPECT_EQ(counter->flips, 3);
    DeleteHook(FlipHookId(), CountFlip, counter);
}

TEST_F(GraphicsContextTest, SharedContextsAndSecondWindows) {
    ASSERT_TRUE(EnableGLContextSharing());
    auto first = CreateGraphics(200, 100, 0, 0, GF_DEPTHBUFFER);
    auto second = CreateGraphics(100, 200, 0, 0, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    SetGraphics(first);
    EXPECT_EQ(GraphicsFlags(), GF_DEPTHBUFFER | GF_BACKBUFFER);
    SetGraphics(second);
    EXPECT_EQ(GraphicsWidth(), 100);
    Flip(-1);  // not the opened context: flips with vertical sync, no pacing
    CloseGraphicsContext(second);
    EXPECT_EQ(CurrentGraphics(), nullptr);
    CloseGraphicsContext(first);
}
