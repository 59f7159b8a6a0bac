#pragma once
// What the import takes from an OpenStreetMap extract: the road ways of the
// chosen classes (as lists of node IDs), the positions of the nodes they use,
// and the towns. Reading keeps nothing else, so memory follows the roads, not
// the size of the extract.

#include "io/ImportProgress.h"

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Longitude and latitude in degrees.
struct TGeoPoint {
    double Lon = 0;
    double Lat = 0;
};

struct TOsmTown {
    int64_t OsmId = 0;
    TGeoPoint Where;
    std::string Name; // name:ru, else name (UTF-8, cleaned); may be empty
};

// Which objects to take.
struct TOsmFilter {
    std::set<std::string, std::less<>> Highways; // values of the highway tag
    std::set<std::string, std::less<>> Places;   // values of the place tag
};

struct TOsmExtract {
    // Way w uses the node IDs WayNodes[WayStart[w] .. WayStart[w + 1]).
    std::vector<int64_t> WayNodes;
    std::vector<size_t> WayStart{0};
    // The nodes the ways use, sorted by ID, with their positions; a node the
    // file lacks (or gives no valid position) has Known false.
    std::vector<int64_t> NodeIds;
    std::vector<TGeoPoint> NodePoints;
    std::vector<bool> NodeKnown;
    // Towns in the order of the file.
    std::vector<TOsmTown> Towns;

    size_t WayCount() const { return WayStart.size() - 1; }
    // Index of a node ID in NodeIds, or -1.
    int64_t NodeIndex(int64_t osmId) const;
};

// Where the bytes come from: a file (its format from the name's ending) or a
// block of memory in a named format ("osm", "pbf", "osm.bz2").
struct TOsmSource {
    std::string Path;
    std::string_view Bytes;
    std::string Format;
};

// Reads the extract in two passes (ways, then nodes). Progress goes from
// `progress` 0 to 80 percent. Raises EImportError with a Russian message for a
// file that cannot be opened or read, EImportCancelled when cancelled.
TOsmExtract ReadOsmExtract(const TOsmSource& source, const TOsmFilter& filter,
                           const TImportProgress& progress);
