// The OpenStreetMap import of a large synthetic extract: one million nodes
// and 100,000 ways (400 towns on winding main roads, streets, villages, and
// buildings and footpaths to make up the size), written by the benchmark
// with libosmium as PBF, XML and bzip2 XML. The aim: an import within 10 s
// and 1 GB. Counters: peak_rss_mb (the process's peak resident memory during
// the import alone: the high-water mark is reset before it), the map made,
// and the share of road length the thinning cost. BM_CancelLatency measures
// how long an import takes to stop once cancelled, in its first pass over the
// file and in its second.

#include "SyntheticExtract.h"

#include "io/OsmImport.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

namespace {

TSyntheticExtractSettings LargeExtract() {
    TSyntheticExtractSettings settings;
    settings.Seed = 2026;
    settings.West = 30;
    settings.South = 52;
    settings.East = 44;
    settings.North = 58;
    settings.Cities = 10;
    settings.Towns = 390;
    settings.Villages = 200;
    settings.ShapeStepKm = 0.1;
    settings.Nodes = 1'000'000;
    settings.Ways = 100'000;
    return settings;
}

// The extract in a format, written once per run of the benchmark program.
const std::string& ExtractFile(const std::string& suffix) {
    static std::map<std::string, std::string> files;
    static struct Cleanup {
        ~Cleanup() {
            for (const auto& [suffix, path] : files)
                std::remove(path.c_str());
        }
    } cleanup;
    auto& path = files[suffix];
    if (path.empty()) {
        path = "/tmp/trasolan-bench-osm-" + std::to_string(getpid()) + suffix;
        const TSyntheticExtractCounts counts = WriteSyntheticExtract(path, LargeExtract());
        std::fprintf(stderr, "%s: %lld nodes, %lld ways, %lld main roads\n", path.c_str(),
                     static_cast<long long>(counts.Nodes), static_cast<long long>(counts.Ways),
                     static_cast<long long>(counts.MainRoads));
    }
    return path;
}

// Linux keeps the peak resident memory as VmHWM; writing 5 to clear_refs
// resets it, so the peak of one import can be read apart from what the
// generation of the extract needed.
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakMemoryMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0; // kB
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ImportOsm(benchmark::State& state, const std::string& suffix) {
    const std::string& path = ExtractFile(suffix);
    TOsmImportReport report;
    double peak = 0;
    for (auto _ : state) {
        ResetPeakMemory();
        TTSPMap map;
        report = ImportOsmFile(path, {}, map);
        peak = std::max(peak, PeakMemoryMb());
        benchmark::DoNotOptimize(map.Count());
    }
    state.counters["peak_rss_mb"] = peak;
    state.counters["towns"] = report.Towns;
    state.counters["transit_points"] = report.TransitPoints;
    state.counters["roads"] = static_cast<double>(report.Roads);
    state.counters["length_lost_pct"] =
        100 * (report.LengthBefore - report.LengthAfter) / report.LengthBefore;
}
BENCHMARK_CAPTURE(BM_ImportOsm, pbf, std::string(".osm.pbf"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ImportOsm, xml, std::string(".osm"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_ImportOsm, bz2, std::string(".osm.bz2"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

void BM_CancelLatency(benchmark::State& state, const std::string& suffix) {
    const std::string& path = ExtractFile(suffix);
    double worst = 0;
    for (auto _ : state) {
        std::atomic<bool> cancel = false;
        TImportProgress progress;
        progress.Cancel = &cancel;
        std::chrono::steady_clock::time_point stopped;
        std::thread import([&] {
            TTSPMap map;
            try {
                ImportOsmFile(path, {}, map, progress);
            } catch (const EImportCancelled&) {
            }
            stopped = std::chrono::steady_clock::now();
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(state.range(0)));
        const auto asked = std::chrono::steady_clock::now();
        cancel = true;
        import.join();
        worst = std::max(worst, std::chrono::duration<double, std::milli>(stopped - asked).count());
    }
    state.counters["worst_cancel_ms"] = worst;
}
// Cancelled 0.3 s after the start, in the first pass over the file, and 3 s
// after, in the second (XML and bzip2; PBF is done by then).
BENCHMARK_CAPTURE(BM_CancelLatency, pbf, std::string(".osm.pbf"))
    ->Arg(300)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_CancelLatency, xml, std::string(".osm"))
    ->Arg(300)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_CancelLatency, bz2, std::string(".osm.bz2"))
    ->Arg(300)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
