#pragma once
// The nodes and roads of an imported extract, ready for the shared map
// builder: towns first (IDs 0, 1, … in the order of the file), then the road
// nodes in the order the roads meet them.

#include "io/ImportedMap.h"
#include "io/RoadNetwork.h"

#include <string>
#include <vector>

struct TPlacedTown {
    std::string Name;
    TPlanePoint Pixel;
    int32_t Vertex = -1; // the road vertex the town is joined to
};

struct TOsmMapParts {
    std::vector<TImportedNode> Nodes;
    TRoadLists Roads;      // both ways, no road twice, each list ascending
    int64_t RoadCount = 0; // node pairs joined
};

// `pixels` holds the position in pixels of every vertex the roads use.
TOsmMapParts OsmMapParts(const std::vector<TPlacedTown>& towns, const TPolylines& roads,
                         const std::vector<TPlanePoint>& pixels);
