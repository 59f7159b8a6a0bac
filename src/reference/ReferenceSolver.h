#pragma once
// The yardstick beside the genetic algorithm: the shortest route through the
// selected cities along the roads, with the solver's own distances, or for a
// large selection the best route a strong heuristic finds in its time.
//
// A route starts at the first selected city, ends at the last one (the same
// city for a round trip), visits every selected city (duplicates in the
// selection count once) and may pass any node, also more than once. It is
// found on the shortest-path closure of the selected cities: the exact
// optimum (Held-Karp) for up to kExactCityLimit distinct selected cities,
// the iterated local search above that.
//
// For a worker thread: take the task from the map on the thread that owns the
// map (TReferenceTask::FromMap copies what is needed), then call
// SolveReference on the worker. It never touches the map nor the program's
// shared random generator, polls the cancel flag between small steps and
// reports progress through the handler (called on the worker thread).

#include "reference/RoadGraph.h"
#include "reference/SearchControl.h"

#include <atomic>
#include <cstdint>
#include <vector>

class TTSPMap;

namespace reference {

// Up to this many distinct selected cities the result is the proven optimum.
inline constexpr int32_t kExactCityLimit = 20;
// Beyond this many distinct selected cities no reference is computed: the
// closure alone would hold 3000 x 3000 distances (72 MB).
inline constexpr int32_t kMaxReferenceCities = 3000;
// The search time a caller gets unless it asks for another.
inline constexpr double kDefaultTimeLimit = 5.0;

enum class TReferenceMethod {
    Automatic, // exact up to kExactCityLimit distinct cities, heuristic above
    Exact,     // exact whenever its table fits in memory (kHeldKarpMemoryLimit)
    Heuristic, // the heuristic whatever the size (for comparisons)
};

struct TReferenceOptions {
    // Seconds from the start after which the heuristic stops and keeps the
    // best route found; the closure and the exact method ignore it.
    double TimeLimitSeconds = kDefaultTimeLimit;
    TReferenceMethod Method = TReferenceMethod::Automatic;
    const std::atomic<bool>* Cancel = nullptr; // raised: EReferenceCancelled
    TProgressHandler OnProgress;
};

struct TReferenceResult {
    double Length = 0;             // summed along the route as the solver sums a fitness
    bool Exact = false;            // the proven optimum, not only the best found
    std::vector<int32_t> RouteIds; // node IDs from the first to the last selected city
    double ElapsedSeconds = 0;
};

class TReferenceTask {
public:
    // Raises the ETSPError of CheckTask when the task cannot be solved, and
    // an ETSPError when the selection is too large for a reference.
    static TReferenceTask FromMap(const TTSPMap& map);

    const TRoadGraph& Graph() const { return graph_; }
    // Node positions: the first selected city, the distinct other cities in
    // selection order, the last selected city.
    const std::vector<int32_t>& Terminals() const { return terminals_; }
    // Distinct selected cities (the ends count once when they are one city).
    int32_t DistinctCities() const;

private:
    TRoadGraph graph_;
    std::vector<int32_t> terminals_;
};

TReferenceResult SolveReference(const TReferenceTask& task, const TReferenceOptions& options = {});

// Both steps at once, on the caller's thread.
TReferenceResult SolveReference(const TTSPMap& map, const TReferenceOptions& options = {});

} // namespace reference
