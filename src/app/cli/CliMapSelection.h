#pragma once
// Helpers of the map commands: a solvable random selection, and counting.

#include "core/ArraysUnit.h"
#include "map/TSPMap.h"

#include <cstdint>

namespace cli {

// Draws `count` distinct cities of the largest road-connected group of nodes
// (in ID order), with the program's generator, in draw order. Raises
// ETSPError when that group has fewer cities.
TIntegerArray DrawConnectedSelection(const TTSPMap& map, int32_t count);

struct MapCounts {
    int32_t cities = 0;
    int32_t transitPoints = 0;
    int64_t roads = 0;         // node pairs joined in at least one direction
    int64_t oneWayEntries = 0; // road entries whose reverse entry is missing
};

MapCounts CountMap(const TTSPMap& map);

} // namespace cli
