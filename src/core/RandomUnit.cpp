#include "core/RandomUnit.h"

#include <chrono>

TRandom g_SharedRandom;

namespace {

uint32_t SystemClockSeed() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

ClockSeedFunction g_clockSeed = &SystemClockSeed;

} // namespace

void Randomize() {
    g_SharedRandom.SetSeed(g_clockSeed());
}

void SetClockSeedFunction(ClockSeedFunction function) {
    g_clockSeed = function ? function : &SystemClockSeed;
}
