#pragma once
// A road map from an OpenStreetMap extract (.osm, .osm.pbf, .osm.bz2): the
// roads of the chosen classes, thinned to the junctions, ends and the points
// that keep their shape, and the towns joined to them, projected (Web
// Mercator) and fitted into the map surface. Only the largest connected part
// of the network is kept, so every town can be reached from every other.
//
// The import builds a new map and never touches the program's own; it may run
// in a worker thread (see ImportProgress.h).

#include "io/ImportProgress.h"
#include "io/SurfaceFit.h"
#include "map/TSPMap.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A box of longitudes and latitudes (degrees), west < east, south < north.
struct TGeoBox {
    double West = 0, South = 0, East = 0, North = 0;
};

struct TOsmImportSettings {
    // Values of the highway tag taken as roads.
    std::vector<std::string> Highways = DefaultHighways();
    // Values of the place tag taken as towns.
    std::vector<std::string> Places = {"city", "town"};
    // Douglas–Peucker tolerance in pixels of the map surface.
    double Tolerance = 2.0;
    std::optional<TGeoBox> Box;
    TSurfaceSize Surface; // the map view's 767 × 446 unless given
    // A town farther than this from every road is left out.
    double JoinKilometres = 5.0;
    // Select every town: by the order of the file, or from StartName to
    // EndName when those are given.
    bool SelectTowns = false;
    std::string StartName, EndName;

    // motorway, trunk, primary, secondary, tertiary and their _link ways.
    static std::vector<std::string> DefaultHighways();
};

struct TOsmImportReport {
    int32_t Towns = 0;
    int32_t TransitPoints = 0;
    int64_t Roads = 0;             // node pairs joined by a road
    int32_t TownsWithoutRoad = 0;  // no road within reach
    int32_t TownsOnOtherParts = 0; // near roads cut off from the kept part only
    // Total length of the kept roads in pixels, following every node of the
    // extract and following the thinned shape, and the worst shortening of a
    // single road between two nodes of the map (a share, 0.01 is 1 %).
    double LengthBefore = 0;
    double LengthAfter = 0;
    double WorstRoadShortening = 0;

    int32_t TownsLeftOut() const { return TownsWithoutRoad + TownsOnOtherParts; }
};

// Imports the file (its format from the name's ending) into `map`, which is
// replaced only on success. Raises an error with a Russian message for a
// file that cannot be read, holds no roads or towns, or would make a map
// beyond the program's limits (EImportError); EImportCancelled when cancelled.
TOsmImportReport ImportOsmFile(const std::string& path, const TOsmImportSettings& settings,
                               TTSPMap& map, const TImportProgress& progress = {});

// The same from bytes in memory in a named format ("osm", "pbf", "osm.bz2").
TOsmImportReport ImportOsmBytes(std::string_view bytes, const std::string& format,
                                const TOsmImportSettings& settings, TTSPMap& map,
                                const TImportProgress& progress = {});
