#pragma once
// What every imported map must be, whatever the input: IDs equal to
// positions, roads both ways between existing nodes, every node inside the
// surface, a selection of distinct existing nodes, and (for maps of a size a
// user makes) a map file that opens to the very same map.

#include "io/ImportedMap.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace fuzzcheck {

constexpr int32_t kMaxRoundTripNodes = 16;

[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "imported map: %s\n", what);
    std::abort();
}

// Imported road lists are sorted, so the reverse entry is found by halving.
inline bool HasEntry(const TCity& city, int32_t id) {
    return std::binary_search(city.Roads.begin(), city.Roads.end(), id);
}

inline void CheckImportedMap(const TTSPMap& map, const TSurfaceSize& surface) {
    if (map.Count() < 1 || map.Count() > kMaxMatrixNodes)
        Fail("node count outside the limits");
    for (int32_t p = 0; p < map.Count(); ++p) {
        const TCity& city = map.City(p);
        if (city.ID != p)
            Fail("node ID differs from its position");
        if (!(city.X >= 0 && city.X <= surface.Width && city.Y >= 0 && city.Y <= surface.Height))
            Fail("node outside the surface");
        if (!std::is_sorted(city.Roads.begin(), city.Roads.end()))
            Fail("road list not sorted");
        for (int32_t road : city.Roads) {
            if (road < 0 || road >= map.Count() || road == p)
                Fail("road to a node that does not exist, or to itself");
            if (!HasEntry(map.City(road), p))
                Fail("road stored one way only");
        }
    }
    std::vector<bool> seen(static_cast<size_t>(map.Count()));
    for (int32_t id : map.SelectedCities()) {
        if (id < 0 || id >= map.Count() || seen[static_cast<size_t>(id)])
            Fail("selection of a missing node, or of one node twice");
        seen[static_cast<size_t>(id)] = true;
    }
    if (map.Count() > kMaxRoundTripNodes)
        return;
    TDisplayFlags flags;
    TTSPMap opened;
    opened.LoadFromBytes(map.SaveToBytes(flags), flags);
    if (opened.Count() != map.Count() || opened.SelectedCities() != map.SelectedCities())
        Fail("the saved map opens with other nodes or selection");
    for (int32_t p = 0; p < map.Count(); ++p) {
        const TCity& a = map.City(p);
        const TCity& b = opened.City(p);
        if (a.X != b.X || a.Y != b.Y || a.Name != b.Name || a.Roads != b.Roads ||
            a.ThisCity != b.ThisCity)
            Fail("the saved map opens with another node");
    }
}

// True when every node can reach every other along the roads.
inline bool Connected(const TTSPMap& map) {
    std::vector<bool> seen(static_cast<size_t>(map.Count()));
    std::vector<int32_t> stack{0};
    seen[0] = true;
    int32_t reached = 1;
    while (!stack.empty()) {
        const int32_t node = stack.back();
        stack.pop_back();
        for (int32_t next : map.City(node).Roads)
            if (!seen[static_cast<size_t>(next)]) {
                seen[static_cast<size_t>(next)] = true;
                ++reached;
                stack.push_back(next);
            }
    }
    return reached == map.Count();
}

} // namespace fuzzcheck
