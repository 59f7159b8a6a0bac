#pragma once
// A copy of what the reference route needs from the map, taken on the
// caller's thread: node IDs and coordinates, the directed roads with their
// lengths, and the selection. A worker thread then works on this copy alone,
// so the map may be edited or solved meanwhile.

#include <cstddef>
#include <cstdint>
#include <vector>

class TTSPMap;

namespace reference {

class TRoadGraph {
public:
    // Reads the map (const). Road entries that name no node, and roads from a
    // node to itself, are left out: no shortest path uses them.
    static TRoadGraph FromMap(const TTSPMap& map);

    int32_t NodeCount() const { return static_cast<int32_t>(ids_.size()); }
    int32_t Id(int32_t position) const { return ids_[static_cast<size_t>(position)]; }
    // The roads leaving a node: indexes [RoadsBegin, RoadsEnd) into RoadTo/RoadLength.
    int32_t RoadsBegin(int32_t position) const { return first_[static_cast<size_t>(position)]; }
    int32_t RoadsEnd(int32_t position) const { return first_[static_cast<size_t>(position) + 1]; }
    int32_t RoadTo(int32_t road) const { return to_[static_cast<size_t>(road)]; }
    double RoadLength(int32_t road) const { return length_[static_cast<size_t>(road)]; }
    // The road lists as plain arrays, for the innermost loop of a search.
    struct TRoads {
        const int32_t* First; // NodeCount() + 1 offsets
        const int32_t* To;
        const double* Length;
    };
    TRoads RoadsData() const { return {first_.data(), to_.data(), length_.data()}; }
    // Straight-line distance between two nodes, as the solver's distance matrix has it.
    double Distance(int32_t from, int32_t to) const;

    // The selection as node positions, in selection order (duplicates kept).
    const std::vector<int32_t>& Selection() const { return selection_; }

private:
    std::vector<int32_t> ids_;
    std::vector<double> x_;
    std::vector<double> y_;
    std::vector<int32_t> first_; // n + 1 offsets into to_ and length_
    std::vector<int32_t> to_;
    std::vector<double> length_;
    std::vector<int32_t> selection_;
};

// The length of a route of node positions, summed step by step in the order of
// the route exactly as the solver sums a chromosome's fitness.
double RouteLength(const TRoadGraph& graph, const std::vector<int32_t>& route);

} // namespace reference
