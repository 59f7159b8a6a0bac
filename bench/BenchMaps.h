#pragma once
// Maps shared by the benchmarks.

#include "core/ArraysUnit.h"
#include "map/RandomMap.h"
#include "map/TSPMap.h"

#include <cstdint>

// A random generator map of `count` nodes and the given road share with the
// selection set, from the first generator seed (counting from firstSeed)
// whose map makes the task solvable.
inline void SolvableRandomMap(TTSPMap& map, int32_t count, int32_t roadShare,
                              const TIntegerArray& selection, uint32_t firstSeed = 1) {
    for (uint32_t seed = firstSeed;; ++seed) {
        TRandomMapSettings settings;
        settings.Count = count;
        settings.RoadShare = roadShare;
        TDisplayFlags flags;
        GenerateRandomMap(map, settings, flags, seed);
        map.SetSelection(selection);
        try {
            map.CheckTask();
            return;
        } catch (...) {
        }
    }
}
