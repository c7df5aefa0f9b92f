#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <string>

#include "data_files.h"

using namespace assetgen_test;

namespace {

struct Expected {
    const char* name;
    int width, height;
};

// The game sizes every object from these pixel sizes: the boat's collision
// box is the boat picture, rocks and gems are scaled from theirs.
const Expected kPictures[] = {
    {"boat", 32, 64},          {"rock", 64, 64},          {"pickup", 32, 32},          {"wake", 32, 32},
    {"explosion", 64, 64},     {"particlering", 128, 128}, {"particlering2", 128, 128},
};

Picture Load(const std::string& name) { return ReadPng(DataDir() / "Images" / (name + ".png")); }

// Width of the run of clearly visible pixels on row y.
int OpaqueSpan(const Picture& p, int y) {
    int first = -1, last = -1;
    for (int x = 0; x < p.width; ++x) {
        if (p.At(x, y)[3] > 128) {
            if (first < 0) first = x;
            last = x;
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

}  // namespace

TEST(AssetgenPictures, EveryPictureIsAnRgbaPngOfItsSize) {
    for (const auto& e : kPictures) {
        SCOPED_TRACE(e.name);
        const Picture p = Load(e.name);
        EXPECT_EQ(p.colorType, PNG_COLOR_TYPE_RGBA);
        EXPECT_EQ(p.bitDepth, 8);
        EXPECT_EQ(p.width, e.width);
        EXPECT_EQ(p.height, e.height);
    }
}

TEST(AssetgenPictures, ShapesSitOnTransparencyWithSmoothEdges) {
    for (const auto& e : kPictures) {
        SCOPED_TRACE(e.name);
        const Picture p = Load(e.name);
        // Corners are clear, so rotation and scaling never show the frame.
        for (int y : {0, p.height - 1})
            for (int x : {0, p.width - 1}) EXPECT_EQ(p.At(x, y)[3], 0) << x << "," << y;
        int clear = 0, partial = 0, solid = 0;
        for (size_t i = 3; i < p.rgba.size(); i += 4) {
            const int a = p.rgba[i];
            (a == 0 ? clear : a == 255 ? solid : partial)++;
        }
        EXPECT_GT(clear, 0);
        // Anti-aliased or soft edges: a real band of in-between alpha.
        EXPECT_GT(partial, p.width) << "hard-edged cut-out";
    }
}

TEST(AssetgenPictures, SolidSpritesAreOpaqueInTheMiddle) {
    for (const char* name : {"boat", "rock", "pickup"}) {
        SCOPED_TRACE(name);
        const Picture p = Load(name);
        EXPECT_EQ(p.At(p.width / 2, p.height / 2)[3], 255);
    }
}

TEST(AssetgenPictures, BoatPointsUpWithItsBowNarrowerThanItsStern) {
    const Picture boat = Load("boat");
    EXPECT_LT(OpaqueSpan(boat, 6), OpaqueSpan(boat, 50) / 2);
    EXPECT_GE(OpaqueSpan(boat, 50), 26);  // fills the width it collides with
    EXPECT_GE(OpaqueSpan(boat, 60), 20);
}

TEST(AssetgenPictures, RingsAreHollowAndThin) {
    for (const char* name : {"particlering", "particlering2"}) {
        SCOPED_TRACE(name);
        const Picture p = Load(name);
        EXPECT_EQ(p.At(64, 64)[3], 0);
        EXPECT_LT(p.At(64, 40)[3], 16);
        int peak = 0, peakX = 0;
        for (int x = 64; x < 128; ++x) {
            if (p.At(x, 64)[3] > peak) {
                peak = p.At(x, 64)[3];
                peakX = x;
            }
        }
        EXPECT_GT(peak, 200);
        EXPECT_GT(peakX, 110);
        EXPECT_LT(peakX, 124);
    }
}

TEST(AssetgenPictures, FadedEffectsAreLightAndThePickupRingIsColoured) {
    // The hit ring and the wake fade over blue water: near-white, so they
    // read as light. The pickup ring is green to match the gems.
    auto average = [](const Picture& p) {
        double sum[3] = {0, 0, 0}, weight = 0;
        for (size_t i = 0; i < p.rgba.size(); i += 4) {
            const double a = p.rgba[i + 3];
            for (int c = 0; c < 3; ++c) sum[c] += p.rgba[i + static_cast<size_t>(c)] * a;
            weight += a;
        }
        return std::vector<double>{sum[0] / weight, sum[1] / weight, sum[2] / weight};
    };
    for (const char* name : {"particlering", "wake"}) {
        SCOPED_TRACE(name);
        const auto c = average(Load(name));
        for (double v : c) EXPECT_GT(v, 200.0);
    }
    const auto ring2 = average(Load("particlering2"));
    EXPECT_GT(ring2[1], ring2[0] + 40.0);
    EXPECT_GT(ring2[1], ring2[2] + 20.0);
    const auto fire = average(Load("explosion"));
    EXPECT_GT(fire[0], fire[2] + 80.0);  // warm, not grey
}

TEST(AssetgenPictures, RockAndGemFillTheSquaresTheyCollideWith) {
    // The game collides with the whole scaled square; a small drawing inside
    // it would make hits look unfair.
    for (const char* name : {"rock", "pickup"}) {
        SCOPED_TRACE(name);
        const Picture p = Load(name);
        int widest = 0, rows = 0;
        for (int y = 0; y < p.height; ++y) {
            widest = std::max(widest, OpaqueSpan(p, y));
            rows += p.At(p.width / 2, y)[3] > 128;
        }
        EXPECT_GE(widest, p.width * 8 / 10);
        EXPECT_GE(rows, p.height * 7 / 10);
    }
}
