// The Multimedia device's fragment, lead and restart logic, driven with
// made-up callback timings.

#include <gtest/gtest.h>

#include <vector>

#include "mixer/mixer_lead_buffer.h"

namespace vellum::test {
namespace {

constexpr int kFragment = 1024;

// A stream of 1, 2, 3, ... (never 0), so silence and gaps show.
class CountingSource : public TMixerSource {
public:
    void Mix(std::int16_t* out, int values) override {
        ++calls;
        for (int i = 0; i < values; ++i) out[i] = static_cast<std::int16_t>(1 + next++ % 30000);
    }
    int calls = 0;
    long long next = 0;
};

// Pulls values sample values, the callback coming back after elapsed.
std::vector<std::int16_t> Pull(TMixerLeadBuffer& lead, int values, long long elapsed) {
    std::vector<std::int16_t> out(static_cast<size_t>(values));
    lead.Pull(out.data(), values, elapsed);
    return out;
}

// Whether values continue the counting stream from *expect.
bool Continues(const std::vector<std::int16_t>& values, int* expect) {
    for (std::int16_t v : values) {
        if (v != *expect) return false;
        *expect = *expect % 30000 + 1;
    }
    return true;
}

TEST(MixerLeadBufferTest, MixesSixFragmentsAheadAndPlaysTheStreamInOrder) {
    CountingSource source;
    TMixerLeadBuffer lead(&source, kFragment);
    int expect = 1;
    ASSERT_TRUE(Continues(Pull(lead, kFragment, -1), &expect));
    EXPECT_EQ(source.calls, 1 + 6);
    EXPECT_EQ(lead.Lead(), 6);
    // On time, one fragment taken means one fragment mixed, round the ring and on.
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(Continues(Pull(lead, kFragment, kFragment), &expect)) << "pull " << i;
    EXPECT_EQ(source.calls, 101 + 6);
    // Odd sizes and a piece larger than the ring still come out in order;
    // a gap of exactly two fragments past the data is tolerated.
    ASSERT_TRUE(Continues(Pull(lead, 333, kFragment), &expect));
    ASSERT_TRUE(Continues(Pull(lead, 70000, 333 + 2 * kFragment), &expect));
    ASSERT_TRUE(Continues(Pull(lead, 5, 70000), &expect));
    EXPECT_EQ(lead.Lead(), 6);
}

TEST(MixerLeadBufferTest, AStallGoesQuietForOneAndAQuarterSecondsAndRaisesTheLead) {
    CountingSource source;
    TMixerLeadBuffer lead(&source, kFragment);
    int expect = 1;
    ASSERT_TRUE(Continues(Pull(lead, kFragment, -1), &expect));
    // The callback came back more than two fragments after its data ran out.
    auto out = Pull(lead, kFragment, 3 * kFragment + 1);
    EXPECT_EQ(lead.Lead(), 8);
    int silent = 0;
    for (std::int16_t v : out) silent += v == 0;
    long long total = silent;
    while (lead.SilenceLeft() > 0) {
        out = Pull(lead, kFragment, 10 * kFragment);  // late again, but already restarting
        for (std::int16_t v : out) total += v == 0;
    }
    EXPECT_EQ(silent, kFragment);
    EXPECT_EQ(lead.Lead(), 8);
    // The restart silence, then the zeroed ring up to the write counter
    // (twice the lead), then the stream again where mixing left off.
    int zeros = static_cast<int>(total);
    std::vector<std::int16_t> after;
    for (int i = 0; i < 30; ++i) {
        out = Pull(lead, kFragment, kFragment);
        after.insert(after.end(), out.begin(), out.end());
    }
    size_t first = 0;
    while (first < after.size() && after[first] == 0) ++first;
    zeros += static_cast<int>(first);
    EXPECT_EQ(zeros, TMixerLeadBuffer::kRestartValues + 2 * 8 * kFragment);
    int resume = after[first];
    EXPECT_GT(resume, expect);  // what was mixed ahead before the stall is lost
    ASSERT_TRUE(Continues({after.begin() + static_cast<long>(first), after.end()}, &resume));

    // Each stall adds two fragments while the lead is at most nine.
    for (int expected : {10, 10, 10}) {
        Pull(lead, kFragment, 5 * kFragment);
        EXPECT_EQ(lead.Lead(), expected);
        while (lead.SilenceLeft() > 0) Pull(lead, kFragment, kFragment);
    }
}

}  // namespace
}  // namespace vellum::test
