#pragma once
// Small maps and helpers shared by the solver tests.

#include "core/ArraysUnit.h"
#include "core/RandomUnit.h"
#include "map/RandomMap.h"
#include "map/TSPMap.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace solver_test {

struct Point {
    double x;
    double y;
};

// Nodes at the points (named "N0", "N1", ... unless names are given), roads
// both ways between the pairs, and the selection.
inline void BuildMap(TTSPMap& map, const std::vector<Point>& points,
                     const std::vector<std::pair<int32_t, int32_t>>& roads,
                     const std::vector<int32_t>& selection,
                     const std::vector<std::string>& names = {}) {
    map.Clear();
    for (size_t i = 0; i < points.size(); ++i) {
        TCity city;
        city.ID = static_cast<int32_t>(i);
        city.Name = i < names.size() ? names[i] : "N" + std::to_string(i);
        city.X = points[i].x;
        city.Y = points[i].y;
        map.AddCity(city);
    }
    for (auto [a, b] : roads) {
        if (!map.City(a).Roads.Exists(b))
            map.AddRoadEntry(a, b);
        if (!map.City(b).Roads.Exists(a))
            map.AddRoadEntry(b, a);
    }
    TIntegerArray selected;
    for (int32_t id : selection)
        selected.Add(id);
    map.SetSelection(selected);
}

// The path graph 0-1-2-...-(n-1) along the x axis, 10 apart.
inline void PathMap(TTSPMap& map, int32_t n, const std::vector<int32_t>& selection) {
    std::vector<Point> points;
    std::vector<std::pair<int32_t, int32_t>> roads;
    for (int32_t i = 0; i < n; ++i) {
        points.push_back({10.0 * i, 0});
        if (i > 0)
            roads.emplace_back(i - 1, i);
    }
    BuildMap(map, points, roads, selection);
}

// Every pair of nodes joined, nodes on a circle.
inline void CompleteMap(TTSPMap& map, int32_t n, const std::vector<int32_t>& selection) {
    std::vector<Point> points;
    std::vector<std::pair<int32_t, int32_t>> roads;
    for (int32_t i = 0; i < n; ++i) {
        const double angle = 6.283185307179586 * i / n;
        points.push_back({200 + 150 * std::cos(angle), 200 + 150 * std::sin(angle)});
        for (int32_t j = 0; j < i; ++j)
            roads.emplace_back(j, i);
    }
    BuildMap(map, points, roads, selection);
}

// A random map from the program's generator, with `selected` of its nodes
// selected (the first `selected` IDs in a shuffled order), solvable.
inline void RandomSolvableMap(TTSPMap& map, uint32_t seed, int32_t count, int32_t roadShare,
                              int32_t selected, int32_t transitShare = 0) {
    for (uint32_t attempt = 0;; ++attempt) {
        TRandomMapSettings settings;
        settings.Count = count;
        settings.RoadShare = roadShare;
        settings.TransitShare = transitShare;
        TDisplayFlags flags;
        GenerateRandomMap(map, settings, flags, seed * 7919u + attempt);
        std::vector<int32_t> ids;
        for (int32_t i = 0; i < count; ++i)
            ids.push_back(i);
        SetRandSeed(seed + attempt);
        for (int32_t i = count - 1; i > 0; --i)
            std::swap(ids[static_cast<size_t>(i)], ids[static_cast<size_t>(Rnd(i + 1))]);
        TIntegerArray selection;
        for (int32_t i = 0; i < selected; ++i)
            selection.Add(ids[static_cast<size_t>(i)]);
        map.SetSelection(selection);
        if (attempt >= 20) {
            // Too few roads to join the selection by chance: chain all nodes.
            for (int32_t i = 0; i + 1 < count; ++i) {
                if (!map.HasRoad(i, i + 1))
                    map.AddRoadEntry(i, i + 1);
                if (!map.HasRoad(i + 1, i))
                    map.AddRoadEntry(i + 1, i);
            }
        }
        try {
            map.CheckTask();
            return;
        } catch (...) {
            // Not every selected city reachable: try the next map.
        }
    }
}

inline TIntegerArray Route(std::initializer_list<int32_t> ids) {
    return TIntegerArray(ids);
}

// The first seed from `from` on whose draws satisfy `wanted` (which draws from
// the generator); the generator is left set to that seed.
inline uint32_t FindSeed(const std::function<bool()>& wanted, uint32_t from = 1) {
    for (uint32_t seed = from;; ++seed) {
        SetRandSeed(seed);
        if (wanted()) {
            SetRandSeed(seed);
            return seed;
        }
    }
}

// Number of draws made between two generator states (searching forward from
// `before`); -1 when not found within `limit`.
inline int64_t DrawsBetween(uint32_t before, uint32_t after, int64_t limit = 10'000'000) {
    uint32_t seed = before;
    for (int64_t n = 0; n <= limit; ++n) {
        if (seed == after)
            return n;
        seed = seed * 134775813u + 1u;
    }
    return -1;
}

} // namespace solver_test
