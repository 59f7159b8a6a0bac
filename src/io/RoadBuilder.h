#pragma once
// Roads for imported nodes that come without roads of their own (TSPLIB
// instances, city lists): either every pair joined (the complete graph, the
// classic travelling-salesman setting) or, for larger maps, each node joined
// to its k nearest neighbours, with the groups that leaves apart then joined
// by their closest pairs so that every node can reach every other one.
// Roads go both ways, as the map model requires.

#include "io/GeoProjection.h"

#include <cstdint>
#include <vector>

enum class TRoadRule : uint8_t {
    Automatic, // complete when it fits the road limit, else nearest neighbours
    Complete,
    Nearest,
};

inline constexpr int32_t kDefaultNeighbours = 8;

struct TRoadOptions {
    TRoadRule Rule = TRoadRule::Automatic;
    int32_t Neighbours = kDefaultNeighbours; // k of the nearest-neighbour rule, 1 or more
};

// Road lists by node position, each sorted by ascending neighbour position.
using TRoadLists = std::vector<std::vector<int32_t>>;

// True when every pair of `nodes` nodes, both ways, stays within kMaxRoadEntries.
bool CompleteGraphFits(int64_t nodes);

// Complete or Nearest: what Automatic means for this many nodes.
TRoadRule ResolveRoadRule(const TRoadOptions& options, int64_t nodes);

struct TBuiltRoads {
    TRoadLists Lists;
    TRoadRule Rule = TRoadRule::Complete; // the rule applied: Complete or Nearest
    int32_t Neighbours = 0;               // k, for Nearest
    int32_t JoiningRoads = 0;             // roads added to join the parts, for Nearest
};

// Builds the roads by the rule; the nearest-neighbour graph is made connected.
// Raises EImportError when the complete graph was asked for and exceeds the
// road limit, or when the roads made exceed it.
TBuiltRoads BuildRoads(const std::vector<TPlanePoint>& points, const TRoadOptions& options);

TRoadLists BuildCompleteRoads(int32_t nodes);
// Each node joined both ways to its k nearest neighbours (not yet connected).
TRoadLists BuildNearestRoads(const std::vector<TPlanePoint>& points, int32_t k);
// Joins the connected parts of the road network (Borůvka's way: each part to
// the part nearest to it, by their closest pair of nodes) until one is left.
// Returns the number of roads added.
int32_t ConnectRoads(const std::vector<TPlanePoint>& points, TRoadLists& roads);

// Adds the road a-b both ways unless it exists; keeps the lists sorted.
// False when it existed.
bool AddRoad(TRoadLists& roads, int32_t a, int32_t b);
// Sorts every list and drops repeated entries.
void SortRoadLists(TRoadLists& roads);
// Entries over all road lists (two per road).
int64_t CountRoadEntries(const TRoadLists& roads);
