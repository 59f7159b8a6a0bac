// Speed of the genetic solver, in generations per second (items_per_second):
//   Dense25         a 25-city map with every city selected, the panel's
//                   initial settings, whole runs from start to stop criterion;
//   Dense25Elitism  the same with the elitist scheme and an elite of 50;
//   Sparse300       300 nodes, road share 3 %, 40 selected cities;
// the start of a run on a large sparse map up to its first generation
// (StartToFirstGeneration: 2,000 nodes, road share 1 %, 400 selected, the
// panel's population of 100 - what F9 does before the window shows a
// generation; target 1 s);
// and the child check (ContainsAllSelected + IsValidRoute) through the road
// index against the map's plain scans, in checks per second.

#include "BenchMaps.h"
#include "core/RandomUnit.h"
#include "map/RandomMap.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "solver/RouteIndex.h"
#include "solver/SolverSettings.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// A random map with `selected` of its nodes selected (in ID order), solvable.
void MakeMap(TTSPMap& map, int32_t count, int32_t roadShare, int32_t selected) {
    TIntegerArray selection;
    for (int32_t i = 0; i < selected; ++i)
        selection.Add(i * (count / selected));
    SolvableRandomMap(map, count, roadShare, selection);
}

void RunWholeRuns(benchmark::State& state, TTSPMap& map, const solver::TSolverSettings& settings) {
    int64_t generations = 0;
    uint32_t seed = 1;
    for (auto _ : state) {
        solver::TTSPPopulation population(map);
        solver::ApplySettings(population, settings);
        SetRandSeed(seed++);
        population.Run();
        generations += population.Generation();
        benchmark::DoNotOptimize(population.BestFitness());
    }
    state.SetItemsProcessed(generations);
    state.counters["generations/run"] =
        benchmark::Counter(static_cast<double>(generations), benchmark::Counter::kAvgIterations);
}

void Dense25(benchmark::State& state) {
    TTSPMap map;
    MakeMap(map, 25, 75, 25);
    RunWholeRuns(state, map, solver::TSolverSettings{});
}
BENCHMARK(Dense25)->Unit(benchmark::kMillisecond);

void Dense25Elitism(benchmark::State& state) {
    TTSPMap map;
    MakeMap(map, 25, 75, 25);
    solver::TSolverSettings settings;
    settings.Elitism = true;
    settings.EliteSize = 50;
    RunWholeRuns(state, map, settings);
}
BENCHMARK(Dense25Elitism)->Unit(benchmark::kMillisecond);

void Sparse300(benchmark::State& state) {
    TTSPMap map;
    MakeMap(map, 300, 3, 40);
    RunWholeRuns(state, map, solver::TSolverSettings{});
}
BENCHMARK(Sparse300)->Unit(benchmark::kMillisecond);

void StartToFirstGeneration(benchmark::State& state) {
    TTSPMap map;
    MakeMap(map, 2000, 1, 400);
    uint32_t seed = 1;
    for (auto _ : state) {
        solver::TTSPPopulation population(map);
        solver::ApplySettings(population, solver::TSolverSettings{});
        population.SetOnGeneration(
            [](solver::TTSPPopulation& sender, int32_t, double, double) { sender.Stop(); });
        SetRandSeed(seed++);
        // Every start builds the distance table, as F9 on an edited map does.
        map.SetCityPosition(0, map.City(0).X, map.City(0).Y);
        population.Run();
        benchmark::DoNotOptimize(population.BestFitness());
    }
}
BENCHMARK(StartToFirstGeneration)->Unit(benchmark::kMillisecond)->UseRealTime();

// Routes to check: valid ones and ones with one gene changed.
std::vector<TIntegerArray> CheckRoutes(const TTSPMap& map) {
    std::vector<TIntegerArray> routes;
    SetRandSeed(3);
    for (int i = 0; i < 256; ++i) {
        TIntegerArray route;
        map.RandomRoute(route);
        if (i % 2)
            route[Rnd(route.Count())] = Rnd(map.Count());
        routes.push_back(route);
    }
    return routes;
}

void ChildCheckIndex(benchmark::State& state) {
    TTSPMap map;
    MakeMap(map, 300, 3, 40);
    const auto routes = CheckRoutes(map);
    solver::TRouteIndex index;
    index.Refresh(map);
    size_t i = 0;
    for (auto _ : state) {
        index.Refresh(map);
        benchmark::DoNotOptimize(index.IsValidChild(routes[i++ % routes.size()]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ChildCheckIndex);

void ChildCheckMapScan(benchmark::State& state) {
    TTSPMap map;
    MakeMap(map, 300, 3, 40);
    const auto routes = CheckRoutes(map);
    size_t i = 0;
    for (auto _ : state) {
        const TIntegerArray& route = routes[i++ % routes.size()];
        benchmark::DoNotOptimize(map.ContainsAllSelected(route) && map.IsValidRoute(route));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ChildCheckMapScan);

} // namespace
