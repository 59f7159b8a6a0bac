#pragma once
// The last step of the import: the map itself, from the thinned roads and the
// joined towns in pixels. Towns come first (IDs 0, 1, … in the order of the
// file), then the road nodes in the order the roads meet them.

#include "io/RoadNetwork.h"
#include "map/TSPMap.h"

#include <string>
#include <vector>

struct TPlacedTown {
    std::string Name;
    TPlanePoint Pixel;
    int32_t Vertex = -1; // the road vertex the town is joined to
};

// `pixels` holds the position in pixels of every vertex the roads use.
// Returns the number of node pairs joined by a road.
int64_t AssembleOsmMap(const std::vector<TPlacedTown>& towns, const TPolylines& roads,
                       const std::vector<TPlanePoint>& pixels, TTSPMap& map);
