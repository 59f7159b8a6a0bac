#pragma once
// One-to-many shortest paths over the directed road graph (Dijkstra), with
// an indexed 4-ary heap: every node enters it at most once and a shorter
// distance moves it up in place, which keeps the heap small on maps with
// many roads per node. Lengths are summed step by step from the source.

#include "reference/RoadGraph.h"

#include <cstdint>
#include <vector>

namespace reference {

class TDijkstra {
public:
    // From `source` until every node marked in `isTarget` (targetCount of
    // them) is settled, or everything reachable is. Fills Distances() (an
    // unreachable node keeps +infinity) and `previous` (n entries, -1 for
    // the source and for nodes not reached).
    void Run(const TRoadGraph& graph, int32_t source, const std::vector<char>& isTarget,
             int32_t targetCount, int32_t* previous);
    const std::vector<double>& Distances() const { return distance_; }

private:
    // A heap entry carries its node's distance, so that sifting reads the heap alone.
    struct TEntry {
        double Distance;
        int32_t Node;
        bool operator<(const TEntry& other) const {
            return Distance < other.Distance || (Distance == other.Distance && Node < other.Node);
        }
    };
    void Place(size_t slot, const TEntry& entry);
    void SiftUp(size_t slot, const TEntry& entry);
    int32_t PopFirst();

    std::vector<double> distance_;
    std::vector<TEntry> heap_;
    std::vector<int32_t> slot_; // position of a node in heap_, -1 when not in it
};

} // namespace reference
