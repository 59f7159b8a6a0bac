// Dijkstra with an indexed 4-ary heap.

#include "reference/Dijkstra.h"

#include <algorithm>
#include <limits>

namespace reference {

void TDijkstra::Place(size_t slot, const TEntry& entry) {
    heap_[slot] = entry;
    slot_[static_cast<size_t>(entry.Node)] = static_cast<int32_t>(slot);
}

void TDijkstra::SiftUp(size_t slot, const TEntry& entry) {
    while (slot > 0) {
        const size_t parent = (slot - 1) / 4;
        if (!(entry < heap_[parent]))
            break;
        Place(slot, heap_[parent]);
        slot = parent;
    }
    Place(slot, entry);
}

int32_t TDijkstra::PopFirst() {
    const int32_t first = heap_.front().Node;
    slot_[static_cast<size_t>(first)] = -1;
    const TEntry last = heap_.back();
    heap_.pop_back();
    const size_t size = heap_.size();
    if (size == 0)
        return first;
    size_t slot = 0;
    for (;;) {
        const size_t child = slot * 4 + 1;
        if (child >= size)
            break;
        size_t best = child;
        for (size_t c = child + 1; c < std::min(child + 4, size); ++c)
            if (heap_[c] < heap_[best])
                best = c;
        if (!(heap_[best] < last))
            break;
        Place(slot, heap_[best]);
        slot = best;
    }
    Place(slot, last);
    return first;
}

void TDijkstra::Run(const TRoadGraph& graph, int32_t source, const std::vector<char>& isTarget,
                    int32_t targetCount, int32_t* previous) {
    const size_t n = static_cast<size_t>(graph.NodeCount());
    distance_.assign(n, std::numeric_limits<double>::infinity());
    slot_.assign(n, -1);
    heap_.clear();
    std::fill(previous, previous + n, -1);
    // Plain pointers in the inner loop: the stores into the distances and
    // predecessors would otherwise make the compiler reload the road lists.
    const TRoadGraph::TRoads roads = graph.RoadsData();
    double* distance = distance_.data();
    const int32_t* slotOf = slot_.data();

    heap_.reserve(n);
    distance[source] = 0;
    heap_.push_back({0.0, source});
    slot_[static_cast<size_t>(source)] = 0;
    int32_t unsettled = targetCount;
    while (!heap_.empty()) {
        const int32_t node = PopFirst();
        if (isTarget[static_cast<size_t>(node)] && --unsettled == 0)
            break;
        const double d = distance[node];
        for (int32_t road = roads.First[node], end = roads.First[node + 1]; road < end; ++road) {
            const int32_t next = roads.To[road];
            const double through = d + roads.Length[road];
            if (through < distance[next]) {
                distance[next] = through;
                previous[next] = node;
                if (slotOf[next] < 0) {
                    heap_.push_back({through, next});
                    SiftUp(heap_.size() - 1, {through, next});
                } else {
                    SiftUp(static_cast<size_t>(slotOf[next]), {through, next});
                }
            }
        }
    }
}

} // namespace reference
