// The map copied into compressed road lists for the shortest-path searches.

#include "reference/RoadGraph.h"

#include "map/TSPMap.h"

namespace reference {

TRoadGraph TRoadGraph::FromMap(const TTSPMap& map) {
    TRoadGraph graph;
    const int32_t n = map.Count();
    graph.ids_.reserve(static_cast<size_t>(n));
    graph.x_.reserve(static_cast<size_t>(n));
    graph.y_.reserve(static_cast<size_t>(n));
    graph.first_.reserve(static_cast<size_t>(n) + 1);
    for (int32_t p = 0; p < n; ++p) {
        const TCity& city = map.City(p);
        graph.ids_.push_back(city.ID);
        graph.x_.push_back(city.X);
        graph.y_.push_back(city.Y);
    }
    for (int32_t p = 0; p < n; ++p) {
        graph.first_.push_back(static_cast<int32_t>(graph.to_.size()));
        for (int32_t id : map.City(p).Roads) {
            const int32_t q = map.IndexOfID(id);
            if (q < 0 || q == p)
                continue;
            graph.to_.push_back(q);
            graph.length_.push_back(graph.Distance(p, q));
        }
    }
    graph.first_.push_back(static_cast<int32_t>(graph.to_.size()));
    for (int32_t id : map.SelectedCities())
        graph.selection_.push_back(map.IndexOfID(id));
    return graph;
}

double TRoadGraph::Distance(int32_t from, int32_t to) const {
    const size_t a = static_cast<size_t>(from);
    const size_t b = static_cast<size_t>(to);
    return PointDistance(x_[a], y_[a], x_[b], y_[b]);
}

double RouteLength(const TRoadGraph& graph, const std::vector<int32_t>& route) {
    double length = 0;
    for (size_t i = 0; i + 1 < route.size(); ++i)
        length += graph.Distance(route[i], route[i + 1]);
    return length;
}

} // namespace reference
