// Speed of the reference route (times are whole SolveReference calls unless
// named otherwise):
//   Exact/16, Exact/20      16 and 20 selected cities (distinct ends) on a
//                           100-node map; counter table_MB is the Held-Karp
//                           table, peak_rss_MB the process's peak so far;
//   ExactRoundTrip20        20 cities and back to the first (19 inner cities);
//   HeuristicAgreement      the heuristic against the exact optimum on 100
//                           random generator maps of 25-100 nodes with 12-16
//                           selected cities: counter equal_percent;
//   Heuristic100/P          100 selected cities on a 500-node map of road
//                           share P percent, with the default time limit;
//   Closure100/P            the shortest-path closure alone for 100 selected
//                           cities on a 5000-node generator map of road share
//                           P (1 % is the generator's sparsest: 125 000 roads);
//   ClosureRoads100         the same on a 5000-node road network: a jittered
//                           grid with some diagonals (about 10 500 roads).

#include "BenchMaps.h"
#include "map/RandomMap.h"
#include "map/TSPMap.h"
#include "reference/Closure.h"
#include "reference/HeldKarp.h"
#include "reference/ReferenceSolver.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cmath>
#include <vector>

namespace {

// A random map with `selected` of its nodes selected (spread over the IDs), solvable.
void MakeMap(TTSPMap& map, int32_t count, int32_t roadShare, int32_t selected,
             uint32_t firstSeed = 1) {
    TIntegerArray selection;
    for (int32_t i = 0; i < selected; ++i)
        selection.Add(static_cast<int32_t>((static_cast<int64_t>(i) * 7919) % count));
    SolvableRandomMap(map, count, roadShare, selection, firstSeed);
}

// A road network of columns x rows nodes 12 px apart (jittered), each joined
// to its right and lower neighbour and every fifth also diagonally.
void RoadGridMap(TTSPMap& map, int32_t columns, int32_t rows, int32_t selected) {
    map.Clear();
    const int32_t count = columns * rows;
    for (int32_t id = 0; id < count; ++id) {
        TCity city;
        city.ID = id;
        city.Name = std::to_string(id);
        city.X = 12.0 * (id % columns) + (id * 7919 % 7) - 3;
        city.Y = 12.0 * (id / columns) + (id * 104729 % 7) - 3;
        map.AddCity(city);
    }
    const auto join = [&](int32_t a, int32_t b) {
        map.AddRoadEntry(a, b);
        map.AddRoadEntry(b, a);
    };
    for (int32_t id = 0; id < count; ++id) {
        const bool right = id % columns + 1 < columns, down = id + columns < count;
        if (right)
            join(id, id + 1);
        if (down)
            join(id, id + columns);
        if (right && down && id % 5 == 0)
            join(id, id + columns + 1);
    }
    TIntegerArray selection;
    for (int32_t i = 0; i < selected; ++i)
        selection.Add(static_cast<int32_t>((static_cast<int64_t>(i) * 7919) % count));
    map.SetSelection(selection);
}

double PeakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void RunExact(benchmark::State& state, const TTSPMap& map) {
    const reference::TReferenceTask task = reference::TReferenceTask::FromMap(map);
    bool exact = true;
    for (auto _ : state) {
        const reference::TReferenceResult result = reference::SolveReference(task);
        exact = exact && result.Exact;
        benchmark::DoNotOptimize(result.Length);
    }
    const int32_t inner = static_cast<int32_t>(task.Terminals().size()) - 2;
    state.counters["table_MB"] = static_cast<double>(reference::HeldKarpBytes(inner)) / (1 << 20);
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
    if (!exact)
        state.SkipWithError("not exact");
}

void Exact(benchmark::State& state) {
    TTSPMap map;
    MakeMap(map, 100, 30, static_cast<int32_t>(state.range(0)));
    RunExact(state, map);
}
BENCHMARK(Exact)->Arg(16)->Arg(20)->Unit(benchmark::kMillisecond);

void ExactRoundTrip20(benchmark::State& state) {
    TTSPMap map;
    MakeMap(map, 100, 30, 20);
    TIntegerArray selection = map.SelectedCities();
    selection.Add(selection[0]);
    map.SetSelection(selection);
    RunExact(state, map);
}
BENCHMARK(ExactRoundTrip20)->Unit(benchmark::kMillisecond);

void HeuristicAgreement(benchmark::State& state) {
    int32_t equal = 0, maps = 0;
    double worstGap = 0;
    for (auto _ : state) {
        equal = maps = 0;
        for (int32_t k = 0; k < 100; ++k, ++maps) {
            TTSPMap map;
            const int32_t roadShares[4] = {10, 25, 50, 75};
            MakeMap(map, 25 + (k * 37) % 76, roadShares[k % 4], 12 + k % 5,
                    static_cast<uint32_t>(1000 + 97 * k));
            reference::TReferenceOptions options;
            options.Method = reference::TReferenceMethod::Exact;
            const double exact = reference::SolveReference(map, options).Length;
            options.Method = reference::TReferenceMethod::Heuristic;
            const double found = reference::SolveReference(map, options).Length;
            const double gap = (found - exact) / exact * 100;
            equal += gap < 1e-9 ? 1 : 0;
            worstGap = std::max(worstGap, gap);
        }
    }
    state.counters["equal_percent"] = 100.0 * equal / maps;
    state.counters["worst_gap_percent"] = worstGap;
}
BENCHMARK(HeuristicAgreement)->Iterations(1)->Unit(benchmark::kMillisecond);

void Heuristic100(benchmark::State& state) {
    TTSPMap map;
    MakeMap(map, 500, static_cast<int32_t>(state.range(0)), 100);
    const reference::TReferenceTask task = reference::TReferenceTask::FromMap(map);
    double length = 0;
    for (auto _ : state) {
        const reference::TReferenceResult result = reference::SolveReference(task);
        length = result.Length;
        // The const form: the writable one corrupts a double with this library's GCC asm.
        benchmark::DoNotOptimize(result.Length);
    }
    state.counters["length"] = length;
}
BENCHMARK(Heuristic100)->Arg(5)->Arg(75)->Unit(benchmark::kMillisecond);

void RunClosure(benchmark::State& state, const TTSPMap& map) {
    const reference::TReferenceTask task = reference::TReferenceTask::FromMap(map);
    const reference::TSearchControl control(nullptr, {}, reference::TSearchControl::Clock::now());
    for (auto _ : state) {
        const reference::TClosure closure(task.Graph(), task.Terminals(), control);
        benchmark::DoNotOptimize(closure.Distance(0, 1));
    }
    state.counters["roads"] = static_cast<double>(task.Graph().RoadsEnd(map.Count() - 1)) / 2;
}

void Closure100(benchmark::State& state) {
    TTSPMap map;
    MakeMap(map, 5000, static_cast<int32_t>(state.range(0)), 100);
    RunClosure(state, map);
}
BENCHMARK(Closure100)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

void ClosureRoads100(benchmark::State& state) {
    TTSPMap map;
    RoadGridMap(map, 100, 50, 100);
    RunClosure(state, map);
}
BENCHMARK(ClosureRoads100)->Unit(benchmark::kMillisecond);

} // namespace
