// make_osm_extract: writes a synthetic OpenStreetMap extract (see
// SyntheticExtract.h), for the sample map of examples/ and for trying the
// import without downloading anything.

#include "SyntheticExtract.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

namespace {

const char* const kUsage =
    "Usage: make_osm_extract OUTPUT.osm|OUTPUT.osm.pbf|OUTPUT.osm.bz2 [--seed S]\n"
    "           [--cities N] [--towns N] [--villages N] [--bbox W,S,E,N]\n"
    "           [--nodes N --ways N]\n"
    "Writes towns with Russian names joined by winding main roads, villages on\n"
    "minor roads and streets around the towns; --nodes and --ways fill the\n"
    "extract up to these totals with buildings and footpaths.\n";

bool ReadOption(TSyntheticExtractSettings& s, std::string_view name, const char* value) {
    if (name == "--seed")
        s.Seed = std::strtoull(value, nullptr, 10);
    else if (name == "--cities")
        s.Cities = std::atoi(value);
    else if (name == "--towns")
        s.Towns = std::atoi(value);
    else if (name == "--villages")
        s.Villages = std::atoi(value);
    else if (name == "--nodes")
        s.Nodes = std::atoll(value);
    else if (name == "--ways")
        s.Ways = std::atoll(value);
    else if (name == "--bbox")
        return std::sscanf(value, "%lf,%lf,%lf,%lf", &s.West, &s.South, &s.East, &s.North) == 4;
    else
        return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') {
        std::fputs(kUsage, stderr);
        return 2;
    }
    TSyntheticExtractSettings settings;
    for (int i = 2; i < argc; i += 2) {
        if (i + 1 >= argc || !ReadOption(settings, argv[i], argv[i + 1])) {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (settings.Cities + settings.Towns < 2) {
        std::fputs("make_osm_extract: at least two towns are needed\n", stderr);
        return 2;
    }
    try {
        const TSyntheticExtractCounts counts = WriteSyntheticExtract(argv[1], settings);
        std::printf("%s: %lld nodes, %lld ways, %lld main roads\n", argv[1],
                    static_cast<long long>(counts.Nodes), static_cast<long long>(counts.Ways),
                    static_cast<long long>(counts.MainRoads));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_osm_extract: %s\n", error.what());
        return 1;
    }
    return 0;
}
