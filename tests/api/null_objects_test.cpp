// A Null object handed to a public function never crashes it: the function
// raises a runtime error with a message, or returns its failure value.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "vellum.h"

namespace vellum::test {
namespace {

struct Call {
    const char* name;
    std::function<void()> run;
};

// Runs each call with Null objects; a crash names the call it was in.
void RunAll(const std::vector<Call>& calls) {
    for (const Call& call : calls) {
        SCOPED_TRACE(call.name);
        try {
            call.run();
        } catch (const TException& error) {  // the module's own error, with its message
            EXPECT_FALSE(error.ToString().empty()) << call.name;
        }
    }
}

TEST(NullObjectTest, StreamAndRuntimeFunctions) {
    Ref<TBank> bank;
    Ref<TObject> url;
    RunAll({
        {"LoadBank", [&] { EXPECT_FALSE(LoadBank(url)); }},
        {"SaveBank", [&] { EXPECT_EQ(SaveBank(bank, String(u"/tmp/vellum-null-bank")), 0); }},
        {"BankBuf", [&] { BankBuf(bank); }},
        {"LockBank", [&] { LockBank(bank); }},
        {"UnlockBank", [&] { UnlockBank(bank); }},
        {"BankSize", [&] { BankSize(bank); }},
        {"BankCapacity", [&] { BankCapacity(bank); }},
        {"ResizeBank", [&] { ResizeBank(bank, 4); }},
        {"CopyBankBytes", [&] { CopyBankBytes(bank, 0, bank, 0, 1); }},
        {"PeekByte", [&] { PeekByte(bank, 0); }},
        {"PokeInt", [&] { PokeInt(bank, 0, 1); }},
        {"PeekDouble", [&] { PeekDouble(bank, 0); }},
        {"OpenUrlStream", [&] { EXPECT_FALSE(OpenUrlStream(url, 1, 0)); }},
        {"OpenReadStream", [&] { EXPECT_FALSE(OpenReadStream(url)); }},
        {"OpenWriteStream", [&] { EXPECT_FALSE(OpenWriteStream(url)); }},
        {"LoadTextFile", [&] { LoadTextFile(url); }},
        {"SaveTextFile", [&] { EXPECT_EQ(SaveTextFile(u"x", url), 0); }},
        {"HandleFromObject", [&] { EXPECT_EQ(HandleFromObject(url), 0); }},
        {"UnboxString", [&] {
             String text;
             EXPECT_FALSE(UnboxString(url, text));
         }},
    });
}

TEST(NullObjectTest, SystemFunctions) {
    Ref<TTimer> timer;
    Ref<TEvent> event;
    RunAll({
        {"TimerTicks", [&] { TimerTicks(timer); }},
        {"WaitTimer", [&] { WaitTimer(timer); }},
        {"StopTimer", [&] { StopTimer(timer); }},
        {"SendEvent", [&] { SendEvent(event); }},
        {"QueueEvent", [&] { QueueEvent(event, 0); }},
    });
}

TEST(NullObjectTest, GraphicsFunctionsWithoutAndWithAContext) {
    Ref<TPixmap> pixmap;
    Ref<TImage> image;
    Ref<TObject> url;
    std::vector<Call> calls = {
        {"LoadPixmap", [&] { EXPECT_FALSE(LoadPixmap(url)); }},
        {"LoadImage", [&] { EXPECT_FALSE(LoadImage(url)); }},
        {"LoadAnimImage", [&] { EXPECT_FALSE(LoadAnimImage(url, 8, 8, 0, 1)); }},
        {"LoadFont", [&] { EXPECT_FALSE(LoadFont(url, 12, 0)); }},
        {"LoadImageFont", [&] { LoadImageFont(url, 12); }},
        {"SetImageFont", [&] { SetImageFont(nullptr); }},
        {"SavePixmapPNG", [&] { EXPECT_EQ(SavePixmapPNG(pixmap, String(u"/tmp/vellum-null.png")), 0); }},
        {"CopyPixmap", [&] { CopyPixmap(pixmap); }},
        {"ConvertPixmap", [&] { ConvertPixmap(pixmap, FMT_BGRA8888); }},
        {"PixmapWidth", [&] { PixmapWidth(pixmap); }},
        {"PixmapPixelPtr", [&] { PixmapPixelPtr(pixmap, 0, 0); }},
        {"PixmapWindow", [&] { PixmapWindow(pixmap, 0, 0, 1, 1); }},
        {"ReadPixel", [&] { ReadPixel(pixmap, 0, 0); }},
        {"WritePixel", [&] { WritePixel(pixmap, 0, 0, 0); }},
        {"MaskPixmap", [&] { MaskPixmap(pixmap, 0, 0, 0); }},
        {"XFlipPixmap", [&] { XFlipPixmap(pixmap); }},
        {"ResizePixmap", [&] { ResizePixmap(pixmap, 2, 2); }},
        {"LockImage", [&] { LockImage(image); }},
        {"UnlockImage", [&] { UnlockImage(image); }},
        {"SetImageHandle", [&] { SetImageHandle(image, 1, 1); }},
        {"MidHandleImage", [&] { MidHandleImage(image); }},
        {"ImageWidth", [&] { ImageWidth(image); }},
        {"ImageHeight", [&] { ImageHeight(image); }},
        {"DrawImage", [&] { DrawImage(image, 0, 0); }},
        {"DrawImageRect", [&] { DrawImageRect(image, 0, 0, 4, 4); }},
        {"DrawImagePart", [&] { DrawImagePart(image, 0, 0, 4, 4, 0, 0, 1, 1); }},
        {"DrawPixmap", [&] { DrawPixmap(pixmap, 0, 0); }},
        {"SetGraphics", [&] { SetGraphics(nullptr); }},
        {"CloseGraphicsContext", [&] { CloseGraphicsContext(nullptr); }},
    };
    RunAll(calls);
    auto g = OpenGraphics(320, 240);
    ASSERT_TRUE(g);
    RunAll(calls);
    CloseGraphicsContext(g);
}

TEST(NullObjectTest, AudioFunctions) {
    Ref<TSound> sound;
    Ref<TChannel> channel;
    RunAll({
        {"LoadSound", [&] { EXPECT_FALSE(LoadSound(Ref<TObject>())); }},
        {"LoadAudioSample", [&] { EXPECT_FALSE(LoadAudioSample(Ref<TObject>())); }},
        {"PlaySound", [&] { PlaySound(sound); }},
        {"CueSound", [&] { CueSound(sound, channel); }},
        {"StopChannel", [&] { StopChannel(channel); }},
        {"ChannelPlaying", [&] { EXPECT_EQ(ChannelPlaying(channel), 0); }},
        {"SetChannelVolume", [&] { SetChannelVolume(channel, 0.5f); }},
        {"PauseChannel", [&] { PauseChannel(channel); }},
        {"ResumeChannel", [&] { ResumeChannel(channel); }},
    });
}

}  // namespace
}  // namespace vellum::test
