#include "system/random.h"

namespace vellum {

namespace {

constexpr int kInitialState = 0x1234;
int state = kInitialState;  // always in 1 .. 2147483646

// Schrage's form of state × 48271 mod 2147483647, without 64-bit products.
int Step() {
    state = 48271 * (state % 44488) - 3399 * (state / 44488);
    if (state < 0) state += 2147483647;
    return state;
}

}  // namespace

void SeedRandom(int seed) {
    state = seed & 0x7FFFFFFF;
    if (state == 0 || state == 0x7FFFFFFF) state = kInitialState;
}

int RandomSeed() { return state; }

float RandomUnitFloat() { return static_cast<float>(Step() & 0x0FFFFFF0) / 268435456.0f; }

double RandomUnitDouble() {
    double high = Step() & 0x1FFFFFFC;
    double low = Step() & 0x1FFFFFF8;
    return (high + low / 134217728.0) / 536870912.0;
}

double RandomFloat(double a, double b) {
    double r = RandomUnitDouble();
    return b > a ? a + r * (b - a) : b + r * (a - b);
}

int RandomInt(int a, int b) {
    double r = RandomUnitDouble();
    // The span is a 32-bit difference, as callers of this generator expect;
    // unsigned arithmetic keeps its wrap defined.
    int d = static_cast<int>(static_cast<unsigned>(b) - static_cast<unsigned>(a));
    auto offset = [](int base, double span) {
        return static_cast<int>(static_cast<unsigned>(base) + static_cast<unsigned>(static_cast<long long>(span)));
    };
    return d > 0 ? offset(a, r * (d + 1.0)) : offset(b, r * (1.0 - d));
}

}  // namespace vellum
