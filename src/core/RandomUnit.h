#pragma once
// The program's pseudo-random numbers: a 32-bit linear congruential
// generator, seed := seed * 134775813 + 1 (mod 2^32). Every Part draws from
// the program's one shared generator, so a run replays exactly from its seed;
// it starts at seed 0.
//
// TRandom is that generator as a value. Code that may run beside the windows
// (independent runs on worker threads) is handed a TRandom of its own; the
// shared one is the default everywhere, so every run the windows make draws
// exactly as before.

#include <cstdint>

class TRandom {
public:
    explicit TRandom(uint32_t seed = 0) : seed_(seed) {}

    uint32_t Seed() const { return seed_; }
    void SetSeed(uint32_t seed) { seed_ = seed; }

    // A uniform integer in 0 .. n-1: the upper 32 bits of the new seed times n.
    // Rnd(0) is 0; so is a negative n (no caller passes one). Always steps the seed.
    int32_t Rnd(int32_t n) {
        const uint32_t seed = Step();
        if (n <= 0)
            return 0;
        return static_cast<int32_t>((static_cast<uint64_t>(seed) * static_cast<uint32_t>(n)) >> 32);
    }

    // A uniform real in [0, 1): the new seed divided by 2^32.
    double RndReal() { return static_cast<double>(Step()) / 4294967296.0; }

private:
    uint32_t Step() {
        seed_ = seed_ * 134775813u + 1u;
        return seed_;
    }

    uint32_t seed_;
};

// The program's one shared generator. Only the user-interface thread (and
// code it calls) draws from it.
extern TRandom g_SharedRandom;
inline TRandom& SharedRandom() {
    return g_SharedRandom;
}

// The shared generator's operations under their usual names.
inline uint32_t RandSeed() {
    return g_SharedRandom.Seed();
}
inline void SetRandSeed(uint32_t seed) {
    g_SharedRandom.SetSeed(seed);
}
inline int32_t Rnd(int32_t n) {
    return g_SharedRandom.Rnd(n);
}
inline double RndReal() {
    return g_SharedRandom.RndReal();
}

// Reseeds the shared generator from the clock (through ClockSeed, which tests
// may replace).
void Randomize();

// The clock seam used by Randomize: milliseconds of a monotonic clock.
using ClockSeedFunction = uint32_t (*)();
void SetClockSeedFunction(ClockSeedFunction function);
