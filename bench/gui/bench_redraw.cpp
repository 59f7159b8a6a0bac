// Speed of the map picture: composing RedrawMap's picture off-screen for
// large maps, and the editor's hit test over many nodes.
//
// Targets: 2,000 nodes and 20,000 roads under 16 ms; 10,000 nodes under
// 100 ms; a hit test far below a millisecond.

#include "core/RandomUnit.h"
#include "map/RandomMap.h"
#include "map/TSPMap.h"
#include "ui/MapPainter.h"
#include "ui/untMainHitIndex.h"

#include <QApplication>
#include <QFont>

#include <benchmark/benchmark.h>

#include <set>
#include <utility>

namespace {

constexpr int kWidth = 767;
constexpr int kHeight = 446;

// Nodes scattered over the default surface and `roads` distinct random pairs
// joined both ways, as the random map generator makes them.
TTSPMap MakeMap(int nodes, int roads) {
    SetRandSeed(2024);
    TTSPMap map;
    for (int i = 0; i < nodes; ++i) {
        TCity city;
        city.ID = i;
        city.Name = std::to_string(i);
        city.X = Rnd(kWidth);
        city.Y = Rnd(kHeight);
        map.AddCity(city);
    }
    std::set<std::pair<int, int>> joined;
    while (static_cast<int>(joined.size()) < roads) {
        int a = Rnd(nodes), b = Rnd(nodes);
        if (a == b)
            continue;
        if (a > b)
            std::swap(a, b);
        if (!joined.insert({a, b}).second)
            continue;
        map.AddRoadEntry(a, b);
        map.AddRoadEntry(b, a);
    }
    for (int i = 0; i < nodes; i += nodes / 10)
        map.SelectCity(i);
    return map;
}

TMapPaintInput Input(const TTSPMap& map) {
    TMapPaintInput input;
    input.Map = &map;
    input.SurfaceSize = QSize(kWidth, kHeight);
    input.NameFont = QApplication::font();
    return input;
}

void Compose(benchmark::State& state, const TTSPMap& map, bool grid, bool names,
             const TIntegerArray* route) {
    TMapPaintInput input = Input(map);
    input.ShowGrid = grid;
    input.ShowNames = names;
    input.Route = route;
    QImage picture;
    for (auto _ : state) {
        ComposeMapPicture(input, picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
    state.counters["nodes"] = map.Count();
}

const TTSPMap& Map2000() {
    static const TTSPMap map = MakeMap(2000, 20000);
    return map;
}

const TTSPMap& Map10000() {
    static const TTSPMap map = MakeMap(10000, 50000);
    return map;
}

TIntegerArray RouteThrough(const TTSPMap& map) {
    TIntegerArray route;
    for (int i = 0; i < map.Count(); ++i)
        route.Add(i);
    return route;
}

void BM_Redraw_2000Nodes_20000Roads(benchmark::State& state) {
    Compose(state, Map2000(), false, false, nullptr);
}
BENCHMARK(BM_Redraw_2000Nodes_20000Roads)->Unit(benchmark::kMillisecond);

void BM_Redraw_2000Nodes_GridNamesRoute(benchmark::State& state) {
    const TIntegerArray route = RouteThrough(Map2000());
    Compose(state, Map2000(), true, true, &route);
}
BENCHMARK(BM_Redraw_2000Nodes_GridNamesRoute)->Unit(benchmark::kMillisecond);

void BM_Redraw_10000Nodes_50000Roads(benchmark::State& state) {
    Compose(state, Map10000(), false, false, nullptr);
}
BENCHMARK(BM_Redraw_10000Nodes_50000Roads)->Unit(benchmark::kMillisecond);

void BM_Redraw_10000Nodes_GridNamesRoute(benchmark::State& state) {
    const TIntegerArray route = RouteThrough(Map10000());
    Compose(state, Map10000(), true, true, &route);
}
BENCHMARK(BM_Redraw_10000Nodes_GridNamesRoute)->Unit(benchmark::kMillisecond);

// The random map generator's densest small setting on 10,000 nodes: 1 % of
// all pairs, half a million roads.
void BM_Redraw_10000Nodes_GeneratedOnePercent(benchmark::State& state) {
    static TTSPMap map;
    if (map.Count() == 0) {
        TRandomMapSettings settings;
        settings.Count = 10000;
        settings.RoadShare = 1;
        TDisplayFlags flags;
        GenerateRandomMap(map, settings, flags, 7u);
    }
    Compose(state, map, false, false, nullptr);
}
BENCHMARK(BM_Redraw_10000Nodes_GeneratedOnePercent)->Unit(benchmark::kMillisecond);

void BM_HitTest_10000Nodes(benchmark::State& state) {
    const TTSPMap& map = Map10000();
    TNodeHitIndex index;
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % kWidth;
        benchmark::DoNotOptimize(index.First(map, x, (x * 7) % kHeight));
        benchmark::DoNotOptimize(index.Last(map, x, (x * 7) % kHeight));
    }
}
BENCHMARK(BM_HitTest_10000Nodes)->Unit(benchmark::kMicrosecond);

// Dragging a node changes the map at every mouse move: the index is rebuilt
// before the next hit test.
void BM_HitTestAfterMove_10000Nodes(benchmark::State& state) {
    TTSPMap map = MakeMap(10000, 0);
    TNodeHitIndex index;
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % kWidth;
        map.SetCityPosition(0, x, 100);
        benchmark::DoNotOptimize(index.First(map, x, 100));
    }
}
BENCHMARK(BM_HitTestAfterMove_10000Nodes)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
