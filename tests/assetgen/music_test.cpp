#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "data_files.h"

using namespace assetgen_test;

namespace {

const char* const kSongs[] = {"title", "game", "levelcomplete", "gameover"};

Music Load(const std::string& name) { return ReadOgg(DataDir() / "Music" / (name + ".ogg")); }

}  // namespace

TEST(AssetgenMusic, LoopsAreStereoVorbisOfExactLength) {
    for (const char* name : kSongs) {
        SCOPED_TRACE(name);
        const Music m = Load(name);
        EXPECT_EQ(m.channels, 2);
        EXPECT_EQ(m.rate, 44100);
        ASSERT_EQ(m.pcm.size(), 2u);
        // The decoder hands out exactly the frames the stream declares: no
        // padding that would leave a gap at every repeat.
        EXPECT_EQ(static_cast<int64_t>(m.pcm[0].size()), m.declaredFrames);
        EXPECT_GE(m.declaredFrames, 20 * 44100);
        EXPECT_LE(m.declaredFrames, 40 * 44100);
        const std::string length = "LOOPLENGTH=" + std::to_string(m.declaredFrames);
        EXPECT_NE(std::find(m.comments.begin(), m.comments.end(), length), m.comments.end());
    }
}

TEST(AssetgenMusic, LoopEndRunsIntoItsStartWithoutAClick) {
    for (const char* name : kSongs) {
        SCOPED_TRACE(name);
        const Music m = Load(name);
        for (const auto& x : m.pcm) {
            ASSERT_GT(x.size(), 44100u);
            // Across the seam the wave neither jumps nor bends more sharply than
            // it ordinarily does in this music: a cut-off tail shows as a kink.
            EXPECT_LE(std::fabs(x.front() - x.back()), Percentile(Steps(x), 0.999));
            const size_t n = x.size();
            const float seamBend = std::max(std::fabs(x[0] - 2.0f * x[n - 1] + x[n - 2]),
                                            std::fabs(x[1] - 2.0f * x[0] + x[n - 1]));
            EXPECT_LE(seamBend, Percentile(Bends(x), 0.99));
            // Neither end fades away: the music carries on through the join.
            const size_t quarter = 44100 / 4;
            const float end = Rms(x, x.size() - quarter, x.size()), start = Rms(x, 0, quarter);
            EXPECT_GT(end, 0.02f);
            EXPECT_GT(start, 0.02f);
            EXPECT_LT(std::max(end, start) / std::min(end, start), 4.0f);
        }
    }
}

TEST(AssetgenMusic, LoopsAreFullButNotClipped) {
    for (const char* name : kSongs) {
        SCOPED_TRACE(name);
        const Music m = Load(name);
        for (const auto& x : m.pcm) {
            EXPECT_LT(Peak(x, 0, x.size()), 1.0f);
            EXPECT_GT(Rms(x, 0, x.size()), 0.05f);
            // Something plays all the way through: no silent second.
            for (size_t s = 0; s + 44100 <= x.size(); s += 44100) EXPECT_GT(Rms(x, s, s + 44100), 0.02f) << s / 44100;
        }
    }
}
