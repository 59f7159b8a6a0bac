// Dijkstra from every terminal over the directed road graph, the searches
// shared out over the cores.

#include "reference/Closure.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <utility>

namespace reference {

TClosure::TClosure(const TRoadGraph& graph, std::vector<int32_t> terminals,
                   const TSearchControl& control)
    : graph_(graph), terminals_(std::move(terminals)),
      size_(static_cast<int32_t>(terminals_.size())) {
    const size_t n = static_cast<size_t>(graph_.NodeCount());
    const size_t count = static_cast<size_t>(size_);
    matrix_.assign(count * count, kUnreachable);
    isTerminal_.assign(n, 0);
    for (int32_t position : terminals_) {
        if (!isTerminal_[static_cast<size_t>(position)])
            ++distinctTerminals_;
        isTerminal_[static_cast<size_t>(position)] = 1;
    }
    const size_t sources = count > 0 ? count - 1 : 0;
    if (static_cast<uint64_t>(sources) * n * sizeof(int32_t) <= kKeptTreeBytes)
        trees_.assign(sources * n, -1);
    SearchAllSources(sources, control);
    // The end is never left: its row stays unreachable except for itself.
    if (count > 0)
        matrix_[count * count - 1] = 0;
}

void TClosure::SearchAllSources(size_t sources, const TSearchControl& control) {
    // The searches are independent and each fills its own row (and tree), so
    // they share out over the cores with the same table as one after another.
    // Small closures are not worth a thread's start.
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t workers = std::min({cores, kMaxWorkers, std::max<size_t>(1, sources / 8)});
    std::atomic<size_t> next{0};
    std::atomic<size_t> done{0};
    std::atomic<bool> stop{false};
    std::vector<std::exception_ptr> failures(workers);
    const auto work = [&](size_t worker) {
        try {
            SearchSources(next, done, stop, control);
        } catch (...) {
            failures[worker] = std::current_exception();
            stop = true;
        }
    };
    std::vector<std::thread> helpers;
    for (size_t worker = 1; worker < workers; ++worker)
        helpers.emplace_back(work, worker);
    // The calling thread searches too, and alone reports progress, so the
    // progress handler is never called from another thread.
    const auto report = [&] {
        control.Report(TReferencePhase::Closure,
                       sources ? static_cast<double>(done.load()) / sources : 1.0);
    };
    try {
        SearchSources(next, done, stop, control, report);
    } catch (...) {
        failures[0] = std::current_exception();
        stop = true;
    }
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
    report();
}

void TClosure::SearchSources(std::atomic<size_t>& next, std::atomic<size_t>& done,
                             const std::atomic<bool>& stop, const TSearchControl& control,
                             const std::function<void()>& report) {
    const size_t n = static_cast<size_t>(graph_.NodeCount());
    const size_t count = static_cast<size_t>(size_);
    const size_t sources = count > 0 ? count - 1 : 0;
    TDijkstra search;
    std::vector<int32_t> scratch(trees_.empty() ? n : 0);
    for (size_t a = next++; a < sources && !stop; a = next++) {
        control.ThrowIfCancelled();
        search.Run(graph_, terminals_[a], isTerminal_, distinctTerminals_,
                   trees_.empty() ? scratch.data() : &trees_[a * n]);
        for (size_t b = 0; b < count; ++b)
            matrix_[a * count + b] = search.Distances()[static_cast<size_t>(terminals_[b])];
        ++done;
        if (report)
            report();
    }
}

void TClosure::Search(int32_t source, int32_t* previous) const {
    search_.Run(graph_, source, isTerminal_, distinctTerminals_, previous);
}

std::vector<int32_t> TClosure::Path(int32_t a, int32_t b) const {
    const int32_t from = Terminal(a);
    const int32_t to = Terminal(b);
    if (from == to)
        return {from};
    const size_t n = static_cast<size_t>(graph_.NodeCount());
    std::vector<int32_t> scratch;
    const int32_t* previous = nullptr;
    if (trees_.empty()) {
        scratch.resize(n);
        Search(from, scratch.data());
        previous = scratch.data();
    } else {
        previous = &trees_[static_cast<size_t>(a) * n];
    }
    std::vector<int32_t> path{to};
    for (int32_t node = to; node != from;) {
        node = previous[static_cast<size_t>(node)];
        if (node < 0)
            return {}; // not reachable
        path.push_back(node);
    }
    std::reverse(path.begin(), path.end());
    return path;
}

} // namespace reference
