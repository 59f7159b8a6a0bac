#include "core/RandomUnit.h"

#include <chrono>

namespace {

uint32_t g_seed = 0;

uint32_t SystemClockSeed() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

ClockSeedFunction g_clockSeed = &SystemClockSeed;

inline uint32_t Step() {
    g_seed = g_seed * 134775813u + 1u;
    return g_seed;
}

} // namespace

uint32_t RandSeed() {
    return g_seed;
}

void SetRandSeed(uint32_t seed) {
    g_seed = seed;
}

int32_t Rnd(int32_t n) {
    const uint32_t seed = Step();
    if (n <= 0)
        return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(seed) * static_cast<uint32_t>(n)) >> 32);
}

double RndReal() {
    return static_cast<double>(Step()) / 4294967296.0;
}

void Randomize() {
    g_seed = g_clockSeed();
}

void SetClockSeedFunction(ClockSeedFunction function) {
    g_clockSeed = function ? function : &SystemClockSeed;
}
