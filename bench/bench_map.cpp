// Speed of the map operations on large maps: the distance matrix, loading and
// saving a map file, and random map generation.

#include "core/RandomUnit.h"
#include "map/RandomMap.h"
#include "map/TSPMap.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

// `nodes` nodes scattered over a large area, `roads` distinct random pairs.
TTSPMap LargeMap(int32_t nodes, int32_t roads) {
    SetRandSeed(42);
    TTSPMap map;
    for (int32_t i = 0; i < nodes; ++i) {
        TCity city;
        city.ID = i;
        city.Name = "Город " + std::to_string(i);
        city.X = Rnd(4000) + 0.5;
        city.Y = Rnd(3000) + 0.25;
        city.ThisCity = i % 5 != 0;
        map.AddCity(city);
    }
    std::set<std::pair<int32_t, int32_t>> joined;
    while (static_cast<int32_t>(joined.size()) < roads) {
        int32_t a = Rnd(nodes), b = Rnd(nodes);
        if (a == b || !joined.emplace(std::min(a, b), std::max(a, b)).second)
            continue;
        map.AddRoadEntry(a, b);
        map.AddRoadEntry(b, a);
    }
    for (int32_t i = 0; i < 20; ++i)
        map.SelectCity(i * 7);
    return map;
}

void BM_BuildDistanceMatrix(benchmark::State& state) {
    TTSPMap map = LargeMap(static_cast<int32_t>(state.range(0)), 0);
    for (auto _ : state) {
        map.BuildDistanceMatrix();
        benchmark::DoNotOptimize(map.MatrixData());
    }
}
BENCHMARK(BM_BuildDistanceMatrix)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

const TTSPMap& TenThousandNodes() {
    static const TTSPMap map = LargeMap(10000, 100000);
    return map;
}

void BM_SaveMap10000Nodes100000Roads(benchmark::State& state) {
    const TTSPMap& map = TenThousandNodes();
    const std::string path = "/tmp/trasolan-bench-save.ga";
    for (auto _ : state)
        map.SaveToFile(path, TDisplayFlags{});
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveMap10000Nodes100000Roads)->Unit(benchmark::kMillisecond);

void BM_LoadMap10000Nodes100000Roads(benchmark::State& state) {
    const std::string path = "/tmp/trasolan-bench-load.ga";
    TenThousandNodes().SaveToFile(path, TDisplayFlags{});
    TTSPMap map;
    TDisplayFlags flags;
    for (auto _ : state) {
        map.LoadFromFile(path, flags);
        benchmark::DoNotOptimize(map.Count());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadMap10000Nodes100000Roads)->Unit(benchmark::kMillisecond);

void BM_GenerateRandomMap(benchmark::State& state) {
    TRandomMapSettings settings;
    settings.Count = static_cast<int32_t>(state.range(0));
    settings.RoadShare = static_cast<int32_t>(state.range(1));
    TTSPMap map;
    TDisplayFlags flags;
    for (auto _ : state) {
        GenerateRandomMap(map, settings, flags, 1u);
        benchmark::DoNotOptimize(map.Count());
    }
}
BENCHMARK(BM_GenerateRandomMap)->Args({25, 75})->Args({2000, 50})->Unit(benchmark::kMillisecond);

void BM_CheckTaskLargeMap(benchmark::State& state) {
    const TTSPMap& map = TenThousandNodes();
    for (auto _ : state)
        benchmark::DoNotOptimize(map.CheckTask());
}
BENCHMARK(BM_CheckTaskLargeMap)->Unit(benchmark::kMillisecond);

} // namespace
