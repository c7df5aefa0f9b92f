// Replay files as a game killed mid-step leaves them: no end line, perhaps
// half a last line. They play up to their last whole step.

#include <gtest/gtest.h>

#include <sstream>

#include "game/replay_file.h"

namespace tiderush {
namespace {

bool Read(TReplayReader& reader, const std::string& text, std::string& error) {
    std::istringstream in(text);
    return reader.Read(in, "test.replay", error);
}

TEST(ReplayFile, ARecordingWithoutItsEndPlaysToItsLastWholeStep) {
    std::string error;
    TReplayReader ended, cut, empty, damaged;
    ASSERT_TRUE(Read(ended, "TIDERUSH replay 1\nseed 4\n3 32=1/1\nend 9\n", error)) << error;
    EXPECT_FALSE(ended.EndsEarly());
    EXPECT_EQ(ended.Steps(), 9);

    ASSERT_TRUE(Read(cut, "TIDERUSH replay 1\nseed 4\n3 32=1/1\n7 32=0/0 37=1/1\n12 37=0/", error)) << error;
    EXPECT_TRUE(cut.EndsEarly());
    EXPECT_EQ(cut.LastStep(), 7);
    EXPECT_EQ(cut.Steps(), 8);
    EXPECT_EQ(cut.Changes(7).size(), 2u);
    EXPECT_TRUE(cut.Changes(12).empty());

    ASSERT_TRUE(Read(empty, "TIDERUSH replay 1\nseed 4\n", error)) << error;
    EXPECT_EQ(empty.Steps(), 0);

    EXPECT_FALSE(Read(damaged, "TIDERUSH replay 1\nseed 4\n3 32=1/x\n5 32=0/0\n", error));
    EXPECT_EQ(error, "the replay file \"test.replay\" is damaged at line 3");
}

TEST(ReplayFile, AWriterThatCannotWriteSaysWhy) {
    TReplayWriter writer;
    std::string error;
    EXPECT_FALSE(writer.Open("/dev/full", 1, error));
    EXPECT_EQ(error, "cannot write the replay file \"/dev/full\": No space left on device");
    EXPECT_FALSE(writer.WriteStep(0, {{32, 1, 1}}, error));
}

}  // namespace
}  // namespace tiderush
