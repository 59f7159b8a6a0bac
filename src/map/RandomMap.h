#pragma once
// The random map generator: N new nodes scattered over the drawing area (or
// around a ring in it), a share of all node pairs joined by roads.

#include "map/TSPMap.h"

#include <cstdint>
#include <functional>
#include <optional>

struct TRandomMapSettings {
    int32_t Count = 25;       // N, number of nodes
    int32_t RoadShare = 75;   // P, percent of node pairs joined by roads
    int32_t TransitShare = 0; // T, percent of nodes that are transit points
    bool Ring = false;        // place the nodes around a circle
    int32_t Width = 767;      // drawing area
    int32_t Height = 446;
};

// Number of roads the settings ask for: Trunc((N*P*N - 1) / 2 / 100), limited
// to the number of distinct pairs N*(N-1)/2.
int64_t RandomMapRoadCount(const TRandomMapSettings& settings);

// Raises ETSPError with a Russian message when the settings would make a map
// larger than the program can hold (node count, road count) or are negative.
void CheckRandomMapSettings(const TRandomMapSettings& settings);

// Replaces the map by a random one. The generator is reseeded from the clock,
// or set to *seed when given. ShowPath is switched off. processEvents (if set)
// runs where the user interface may repaint.
void GenerateRandomMap(TTSPMap& map, const TRandomMapSettings& settings, TDisplayFlags& flags,
                       std::optional<uint32_t> seed = std::nullopt,
                       const std::function<void()>& processEvents = {});
