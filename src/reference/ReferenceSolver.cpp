// The reference route: closure, order (exact or heuristic), expansion.

#include "reference/ReferenceSolver.h"

#include "core/TSPErrors.h"
#include "map/TSPMap.h"
#include "reference/Closure.h"
#include "reference/HeldKarp.h"
#include "reference/IteratedSearch.h"

#include <algorithm>
#include <chrono>

namespace reference {

namespace {

using Clock = TSearchControl::Clock;

TSearchControl MakeControl(const TReferenceOptions& options, Clock::time_point start) {
    const double seconds = std::clamp(options.TimeLimitSeconds, 0.0, 1.0e6);
    const auto budget =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    return TSearchControl(options.Cancel, options.OnProgress, start + budget);
}

// The road nodes of the whole route: the shortest paths between consecutive
// terminals of the order, joined where they meet.
std::vector<int32_t> Expand(const TClosure& closure, const std::vector<int32_t>& order) {
    std::vector<int32_t> route{closure.Terminal(order.front())};
    for (size_t k = 0; k + 1 < order.size(); ++k) {
        const std::vector<int32_t> path = closure.Path(order[k], order[k + 1]);
        if (path.empty())
            throw ETSPError("Эталонный маршрут не найден: выделенные города не связаны дорогами.");
        route.insert(route.end(), path.begin() + 1, path.end());
    }
    return route;
}

bool WantsExact(const TReferenceTask& task, TReferenceMethod method) {
    return method == TReferenceMethod::Exact ||
           (method == TReferenceMethod::Automatic && task.DistinctCities() <= kExactCityLimit);
}

} // namespace

TReferenceTask TReferenceTask::FromMap(const TTSPMap& map) {
    map.CheckTask();
    TReferenceTask task;
    task.graph_ = TRoadGraph::FromMap(map);
    const std::vector<int32_t>& selection = task.graph_.Selection();
    const int32_t start = selection.front();
    const int32_t end = selection.back();
    std::vector<char> taken(static_cast<size_t>(task.graph_.NodeCount()), 0);
    taken[static_cast<size_t>(start)] = taken[static_cast<size_t>(end)] = 1;
    task.terminals_.push_back(start);
    for (int32_t position : selection) {
        if (!taken[static_cast<size_t>(position)]) {
            taken[static_cast<size_t>(position)] = 1;
            task.terminals_.push_back(position);
        }
    }
    task.terminals_.push_back(end);
    if (task.DistinctCities() > kMaxReferenceCities) {
        throw ETSPError("Эталонный маршрут вычисляется не более чем для " +
                        std::to_string(kMaxReferenceCities) + " выделенных городов.");
    }
    return task;
}

int32_t TReferenceTask::DistinctCities() const {
    const int32_t count = static_cast<int32_t>(terminals_.size());
    return terminals_.front() == terminals_.back() ? count - 1 : count;
}

TReferenceResult SolveReference(const TReferenceTask& task, const TReferenceOptions& options) {
    const Clock::time_point start = Clock::now();
    const TSearchControl control = MakeControl(options, start);
    const TClosure closure(task.Graph(), task.Terminals(), control);
    const int32_t n = closure.Size();

    TReferenceResult result;
    std::vector<int32_t> order;
    if (WantsExact(task, options.Method)) {
        if (auto exact = HeldKarpOrder(closure.Matrix(), n, control)) {
            order = std::move(*exact);
            result.Exact = true;
        }
    }
    if (!result.Exact)
        order = HeuristicOrder(closure.Matrix(), n, control, DefaultEffort(n));

    const std::vector<int32_t> route = Expand(closure, order);
    result.Length = RouteLength(task.Graph(), route);
    result.RouteIds.reserve(route.size());
    for (int32_t position : route)
        result.RouteIds.push_back(task.Graph().Id(position));
    result.ElapsedSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    return result;
}

TReferenceResult SolveReference(const TTSPMap& map, const TReferenceOptions& options) {
    return SolveReference(TReferenceTask::FromMap(map), options);
}

} // namespace reference
