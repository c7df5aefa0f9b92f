#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "system/random.h"

using namespace vellum;

TEST(Random, StepsAreMultiplicationBy48271ModuloTheMersennePrime) {
    SeedRandom(1);
    RandomUnitFloat();
    EXPECT_EQ(RandomSeed(), 48271);
    RandomUnitFloat();
    EXPECT_EQ(RandomSeed(), 182605794);
    long long reference = RandomSeed();
    for (int i = 0; i < 100000; ++i) {
        RandomUnitFloat();
        reference = reference * 48271 % 2147483647;
        ASSERT_EQ(RandomSeed(), reference);
    }
}

TEST(Random, SeedingSpecialCases) {
    EXPECT_EQ(RandomSeed(), 4660);  // the state before any seeding
    for (int seed : {0, 0x7FFFFFFF, -1}) {
        SeedRandom(seed);
        EXPECT_EQ(RandomSeed(), 4660) << seed;
    }
    SeedRandom(static_cast<int>(0x80000005u));
    EXPECT_EQ(RandomSeed(), 5);
}

TEST(Random, UnitValuesAndTheTwoStepDouble) {
    SeedRandom(1);
    // 48271 & 0x0FFFFFF0 = 48256; 2^28 is the divisor.
    EXPECT_EQ(RandomUnitFloat(), 48256.0f / 268435456.0f);
    SeedRandom(1);
    double expected = ((48271 & 0x1FFFFFFC) + (182605794 & 0x1FFFFFF8) / 134217728.0) / 536870912.0;
    EXPECT_EQ(RandomUnitDouble(), expected);
    EXPECT_EQ(RandomSeed(), 182605794);  // exactly two steps
    for (int i = 0; i < 10000; ++i) {
        double d = RandomUnitDouble();
        float f = RandomUnitFloat();
        ASSERT_TRUE(d >= 0.0 && d < 1.0);
        ASSERT_TRUE(f >= 0.0f && f < 1.0f);
    }
}

TEST(Random, IntCoversTheInclusiveRangeInEitherOrder) {
    SeedRandom(99);
    std::set<int> forward, backward;
    for (int i = 0; i < 2000; ++i) {
        forward.insert(RandomInt(1, 5));
        backward.insert(RandomInt(5, 1));
        ASSERT_EQ(RandomInt(3, 3), 3);
    }
    EXPECT_EQ(forward, (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(backward, forward);
    bool belowMinusBillion = false, aboveBillion = false;
    for (int i = 0; i < 1000; ++i) {
        int wide = RandomInt(INT_MIN, INT_MAX);  // the span wraps in 32 bits; no overflow trap
        belowMinusBillion |= wide < -1000000000;
        aboveBillion |= wide > 1000000000;
        int negative = RandomInt(-10, -20);
        ASSERT_TRUE(negative >= -20 && negative <= -10);
    }
    EXPECT_TRUE(belowMinusBillion && aboveBillion);  // the whole 32-bit span, not a folded part
}

TEST(Random, FloatLiesInTheHalfOpenRangeInEitherOrder) {
    SeedRandom(7);
    for (int i = 0; i < 5000; ++i) {
        double backward = RandomFloat(2.0, 1.0);
        double forward = RandomFloat(-1.0, 1.0);
        ASSERT_TRUE(backward >= 1.0 && backward < 2.0);
        ASSERT_TRUE(forward >= -1.0 && forward < 1.0);
    }
}

TEST(Random, ASeedReplaysTheSameSequence) {
    SeedRandom(123456);
    std::vector<double> first;
    for (int i = 0; i < 50; ++i) first.push_back(RandomInt(0, 1000) + RandomFloat(0, 1) + RandomUnitFloat());
    SeedRandom(123456);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(RandomInt(0, 1000) + RandomFloat(0, 1) + RandomUnitFloat(), first[i]);
}
