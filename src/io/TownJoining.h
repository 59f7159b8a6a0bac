#pragma once
// Joining towns to the roads: each town to the nearest vertex of the kept part
// of the network within its reach.

#include "io/RoadNetwork.h"

#include <cstdint>
#include <vector>

struct TTownJoin {
    int32_t Vertex = -1;        // nearest vertex of the part within reach, or -1
    bool OtherRoadNear = false; // no such vertex, but one of another part is
};

// `reach[i]` is how far town i may be from its road, in plane units (the
// caller turns a ground distance into these at the town's latitude).
std::vector<TTownJoin> JoinTowns(const TRoadNetwork& network, const std::vector<bool>& inPart,
                                 const std::vector<TPlanePoint>& towns,
                                 const std::vector<double>& reach, const TImportProgress& progress);
