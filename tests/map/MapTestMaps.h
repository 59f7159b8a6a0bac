#pragma once
// Small maps built in memory for the map tests.

#include "map/TSPMap.h"

#include <string>
#include <utility>
#include <vector>

namespace testmaps {

// Nodes at the given places, named by their IDs, all cities.
inline TTSPMap Nodes(const std::vector<std::pair<double, double>>& places) {
    TTSPMap map;
    for (const auto& [x, y] : places) {
        TCity city;
        city.ID = map.Count();
        city.Name = std::to_string(city.ID);
        city.X = x;
        city.Y = y;
        map.AddCity(city);
    }
    return map;
}

inline TTSPMap Nodes(int count) {
    std::vector<std::pair<double, double>> places;
    for (int i = 0; i < count; ++i)
        places.emplace_back(10.0 * i, 5.0 * i);
    return Nodes(places);
}

inline void Road(TTSPMap& map, int a, int b) {
    map.AddRoadEntry(a, b);
    map.AddRoadEntry(b, a);
}

// 0-1-2-...-(count-1), roads both ways.
inline TTSPMap PathGraph(int count) {
    TTSPMap map = Nodes(count);
    for (int i = 0; i + 1 < count; ++i)
        Road(map, i, i + 1);
    return map;
}

inline TIntegerArray Ids(std::initializer_list<int32_t> ids) {
    return TIntegerArray(ids);
}

} // namespace testmaps
