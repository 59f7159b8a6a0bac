#include "app/cli/CliMapSelection.h"

#include "core/RandomUnit.h"
#include "core/TSPErrors.h"

#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

namespace cli {

namespace {

// Groups of nodes joined by roads, either direction counting.
std::vector<int32_t> GroupOfEachNode(const TTSPMap& map) {
    const int32_t n = map.Count();
    std::vector<std::vector<int32_t>> neighbours(static_cast<size_t>(n));
    for (int32_t p = 0; p < n; ++p)
        for (int32_t id : map.City(p).Roads) {
            const int32_t q = map.IndexOfID(id);
            if (q >= 0) {
                neighbours[static_cast<size_t>(p)].push_back(q);
                neighbours[static_cast<size_t>(q)].push_back(p);
            }
        }
    std::vector<int32_t> group(static_cast<size_t>(n), -1);
    int32_t groups = 0;
    for (int32_t start = 0; start < n; ++start) {
        if (group[static_cast<size_t>(start)] >= 0)
            continue;
        std::vector<int32_t> stack{start};
        group[static_cast<size_t>(start)] = groups;
        while (!stack.empty()) {
            const int32_t p = stack.back();
            stack.pop_back();
            for (int32_t q : neighbours[static_cast<size_t>(p)])
                if (group[static_cast<size_t>(q)] < 0) {
                    group[static_cast<size_t>(q)] = groups;
                    stack.push_back(q);
                }
        }
        ++groups;
    }
    return group;
}

} // namespace

TIntegerArray DrawConnectedSelection(const TTSPMap& map, int32_t count) {
    const std::vector<int32_t> group = GroupOfEachNode(map);
    std::vector<int32_t> citiesInGroup(group.size(), 0);
    for (int32_t p = 0; p < map.Count(); ++p)
        if (map.City(p).ThisCity)
            ++citiesInGroup[static_cast<size_t>(group[static_cast<size_t>(p)])];
    const auto largest = std::max_element(citiesInGroup.begin(), citiesInGroup.end());
    const int32_t available = largest == citiesInGroup.end() ? 0 : *largest;
    if (available < count) {
        throw ETSPError("Нельзя выделить " + std::to_string(count) +
                        " городов: связаны дорогами только " + std::to_string(available) + ".");
    }
    const int32_t chosenGroup = static_cast<int32_t>(largest - citiesInGroup.begin());
    std::vector<int32_t> candidates;
    for (int32_t p = 0; p < map.Count(); ++p)
        if (map.City(p).ThisCity && group[static_cast<size_t>(p)] == chosenGroup)
            candidates.push_back(map.City(p).ID);

    // A partial Fisher-Yates shuffle from the front: draw i picks among the
    // candidates not yet drawn.
    TIntegerArray selection;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t remaining = static_cast<int32_t>(candidates.size()) - i;
        const int32_t pick = i + Rnd(remaining);
        std::swap(candidates[static_cast<size_t>(i)], candidates[static_cast<size_t>(pick)]);
        selection.Add(candidates[static_cast<size_t>(i)]);
    }
    return selection;
}

MapCounts CountMap(const TTSPMap& map) {
    // Directed entries as 64-bit keys, so that dense maps of a million roads
    // are counted in linear time.
    auto key = [](int32_t from, int32_t to) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(from)) << 32) |
               static_cast<uint32_t>(to);
    };
    std::unordered_set<uint64_t> entries;
    MapCounts counts;
    for (const TCity& city : map.Cities()) {
        (city.ThisCity ? counts.cities : counts.transitPoints)++;
        for (int32_t to : city.Roads)
            entries.insert(key(city.ID, to));
    }
    for (uint64_t entry : entries) {
        const int32_t from = static_cast<int32_t>(entry >> 32);
        const int32_t to = static_cast<int32_t>(entry & 0xFFFFFFFFu);
        if (!entries.count(key(to, from))) {
            ++counts.oneWayEntries;
            ++counts.roads;
        } else if (from <= to) {
            ++counts.roads;
        }
    }
    return counts;
}

} // namespace cli
