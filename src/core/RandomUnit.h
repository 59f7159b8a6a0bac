#pragma once
// The program's one pseudo-random generator: a 32-bit linear congruential
// generator, seed := seed * 134775813 + 1 (mod 2^32). Every Part draws from
// it, so a run replays exactly from its seed. It starts at seed 0.

#include <cstdint>

uint32_t RandSeed();
void SetRandSeed(uint32_t seed);

// A uniform integer in 0 .. n-1: the upper 32 bits of the new seed times n.
// Rnd(0) is 0; so is a negative n (no caller passes one). Always steps the seed.
int32_t Rnd(int32_t n);

// A uniform real in [0, 1): the new seed divided by 2^32.
double RndReal();

// Reseeds from the clock (through ClockSeed, which tests may replace).
void Randomize();

// The clock seam used by Randomize: milliseconds of a monotonic clock.
using ClockSeedFunction = uint32_t (*)();
void SetClockSeedFunction(ClockSeedFunction function);
