#pragma once
/// \file
/// The global random-number generator: a minimal-standard multiplicative
/// generator (state × 48271 mod 2^31 − 1), so a seed always replays the same
/// sequence of results.

#pragma GCC visibility push(default)
namespace vellum {

/// Seeds the generator; 0 and 0x7FFFFFFF (after masking the sign bit) give
/// the initial state 4660.
void SeedRandom(int seed);
/// The current state.
int RandomSeed();
/// One step: a float in [0, 1).
float RandomUnitFloat();
/// Two steps: a double in [0, 1).
double RandomUnitDouble();
/// A double in [min(a, b), max(a, b)).
double RandomFloat(double a, double b);
/// An int in [min(a, b), max(a, b)], inclusive.
int RandomInt(int a, int b);

}  // namespace vellum
#pragma GCC visibility pop
