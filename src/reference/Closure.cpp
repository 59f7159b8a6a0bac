// Dijkstra from every terminal over the directed road graph.

#include "reference/Closure.h"

#include <algorithm>
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
    std::vector<int32_t> scratch(trees_.empty() ? n : 0);

    for (size_t a = 0; a < sources; ++a) {
        control.ThrowIfCancelled();
        Search(terminals_[a], trees_.empty() ? scratch.data() : &trees_[a * n]);
        for (size_t b = 0; b < count; ++b)
            matrix_[a * count + b] = search_.Distances()[static_cast<size_t>(terminals_[b])];
        control.Report(TReferencePhase::Closure, static_cast<double>(a + 1) / sources);
    }
    // The end is never left: its row stays unreachable except for itself.
    if (count > 0)
        matrix_[count * count - 1] = 0;
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
