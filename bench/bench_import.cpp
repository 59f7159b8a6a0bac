// Speed of the importers on the largest maps the solver takes: roads for
// nodes without them (the nearest-neighbour graph made connected), and whole
// TSPLIB and city-list imports.

#include "io/CsvImport.h"
#include "io/RoadBuilder.h"
#include "io/TsplibImport.h"
#include "map/TSPMap.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

// Uniform points, or (clustered) islands of 50 points far apart, so the
// neighbours alone leave hundreds of parts to join.
std::vector<TPlanePoint> Points(int32_t count, bool clustered) {
    std::mt19937 generator(7);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<TPlanePoint> points;
    for (int32_t i = 0; i < count; ++i) {
        if (!clustered) {
            points.push_back({unit(generator) * 10000, unit(generator) * 6000});
            continue;
        }
        const int32_t island = i / 50;
        points.push_back({(island % 20) * 1000 + unit(generator) * 50,
                          (island / 20) * 1000 + unit(generator) * 50});
    }
    return points;
}

void BM_NearestRoads(benchmark::State& state) {
    const std::vector<TPlanePoint> points =
        Points(static_cast<int32_t>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        TBuiltRoads roads = BuildRoads(points, {TRoadRule::Nearest, kDefaultNeighbours});
        benchmark::DoNotOptimize(roads.Lists.data());
    }
}
BENCHMARK(BM_NearestRoads)
    ->Args({1000, 0})
    ->Args({kMaxMatrixNodes, 0})
    ->Args({kMaxMatrixNodes, 1})
    ->Unit(benchmark::kMillisecond);

void BM_ImportTsplib(benchmark::State& state) {
    const int32_t count = static_cast<int32_t>(state.range(0));
    std::string text = "NAME : bench\nTYPE : TSP\nDIMENSION : " + std::to_string(count) +
                       "\nEDGE_WEIGHT_TYPE : EUC_2D\nNODE_COORD_SECTION\n";
    int32_t number = 0;
    for (const TPlanePoint& point : Points(count, false))
        text += std::to_string(++number) + " " + std::to_string(point.X) + " " +
                std::to_string(point.Y) + "\n";
    text += "EOF\n";
    for (auto _ : state) {
        TImportResult result = ImportTsplib(text, {});
        benchmark::DoNotOptimize(result.Map.Count());
    }
}
BENCHMARK(BM_ImportTsplib)->Arg(3000)->Arg(kMaxMatrixNodes)->Unit(benchmark::kMillisecond);

void BM_ImportCsv(benchmark::State& state) {
    const int32_t count = static_cast<int32_t>(state.range(0));
    std::string text = "name;lon;lat;city\n";
    int32_t number = 0;
    for (const TPlanePoint& point : Points(count, false))
        text += "Город " + std::to_string(++number) + ";" + std::to_string(point.X / 100) + ";" +
                std::to_string(point.Y / 100) + ";1\n";
    for (auto _ : state) {
        TImportResult result = ImportCsv(text, std::nullopt, {});
        benchmark::DoNotOptimize(result.Map.Count());
    }
}
BENCHMARK(BM_ImportCsv)->Arg(kMaxMatrixNodes)->Unit(benchmark::kMillisecond);

} // namespace
