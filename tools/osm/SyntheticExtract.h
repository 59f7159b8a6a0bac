#pragma once
// A synthetic OpenStreetMap extract that looks like a real region: towns with
// Russian names joined by winding main roads (a Gabriel graph of the towns,
// so the network is planar and connected, as real ones mostly are), villages
// on minor roads, streets around each town, and, to reach a given size,
// buildings and footpaths. Written with libosmium in any format it writes
// (.osm, .osm.pbf, .osm.bz2). The same settings always give the same file:
// the random numbers are the extract's own (splitmix64), not the program's.

#include <cstdint>
#include <string>

struct TSyntheticExtractSettings {
    uint64_t Seed = 1;
    // Longitudes and latitudes of the region.
    double West = 37.0, South = 55.4, East = 39.4, North = 56.5;
    int32_t Cities = 3;       // place=city, joined by trunk roads
    int32_t Towns = 17;       // place=town
    int32_t Villages = 8;     // place=village, on unclassified roads
    double ShapeStepKm = 0.3; // distance between the nodes of a main road
    // Totals to reach with buildings and footpaths; 0 for none beyond the
    // roads and streets.
    int64_t Nodes = 0;
    int64_t Ways = 0;
};

struct TSyntheticExtractCounts {
    int64_t Nodes = 0;
    int64_t Ways = 0;
    int64_t MainRoads = 0; // ways of the default import classes
};

// Writes the extract to `path` (format from its ending), overwriting it.
TSyntheticExtractCounts WriteSyntheticExtract(const std::string& path,
                                              const TSyntheticExtractSettings& settings);
