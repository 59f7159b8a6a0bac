#pragma once
// The shortest-path closure of the cities a route must visit: the length of
// the shortest road path from each of them to each other (Dijkstra over the
// directed roads), with the paths kept so that an order of the cities can be
// expanded back into road nodes.
//
// Terminal 0 is where the route starts and terminal Size()-1 where it ends;
// the route never leaves its end nor enters its start, so no search is run
// from the end. The end may be the same node as the start (a round trip).
// Lengths are summed step by step from the source, as a route's length is.

#include "reference/Dijkstra.h"
#include "reference/RoadGraph.h"
#include "reference/SearchControl.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace reference {

inline constexpr double kUnreachable = std::numeric_limits<double>::infinity();

class TClosure {
public:
    // Beyond this many bytes the search trees are not kept; a path is then
    // found again by one more search when it is expanded.
    static constexpr uint64_t kKeptTreeBytes = 256ull << 20;
    // Threads that search at once (each with its own scratch of a few
    // arrays the size of the map).
    static constexpr size_t kMaxWorkers = 8;

    // terminals: node positions; the inner ones (all but the first and the
    // last) distinct and different from both ends. Polls `control` between
    // searches; raises EReferenceCancelled.
    TClosure(const TRoadGraph& graph, std::vector<int32_t> terminals,
             const TSearchControl& control);

    int32_t Size() const { return size_; }
    int32_t Terminal(int32_t index) const { return terminals_[static_cast<size_t>(index)]; }
    // Shortest road distance from terminal a to terminal b (kUnreachable if none).
    double Distance(int32_t a, int32_t b) const {
        return matrix_[static_cast<size_t>(a) * static_cast<size_t>(size_) +
                       static_cast<size_t>(b)];
    }
    // The whole table, row-major: entry [a][b] at a * Size() + b.
    const std::vector<double>& Matrix() const { return matrix_; }
    // The road nodes (positions) of the shortest path from terminal a to
    // terminal b, both ends included; a is not the last terminal.
    std::vector<int32_t> Path(int32_t a, int32_t b) const;
    bool TreesKept() const { return !trees_.empty(); }

private:
    // Every search but from the end, on up to kMaxWorkers threads.
    void SearchAllSources(size_t sources, const TSearchControl& control);
    // Takes sources from `next` until none is left or `stop` is raised;
    // `report`, when given, is called after each search.
    void SearchSources(std::atomic<size_t>& next, std::atomic<size_t>& done,
                       const std::atomic<bool>& stop, const TSearchControl& control,
                       const std::function<void()>& report = {});
    // One search from `source`, stopping once every terminal is settled;
    // fills the search's distances and the predecessors `previous` (n entries).
    void Search(int32_t source, int32_t* previous) const;

    const TRoadGraph& graph_;
    std::vector<int32_t> terminals_;
    int32_t size_ = 0;
    std::vector<double> matrix_;
    std::vector<int32_t> trees_; // (size_ - 1) x n predecessors, or empty
    std::vector<char> isTerminal_;
    int32_t distinctTerminals_ = 0;
    mutable TDijkstra search_; // its scratch, kept between searches
};

} // namespace reference
