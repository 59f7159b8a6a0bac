#pragma once
// What every importer hands back: a new map, built aside, that replaces the
// user's map only when the whole import succeeded, and a summary of where its
// parts came from.

#include "io/RoadBuilder.h"
#include "io/SurfaceFit.h"
#include "map/TSPMap.h"

#include <string>
#include <vector>

struct TImportOptions {
    TSurfaceSize Surface;
    TRoadOptions Roads; // for files that bring no roads of their own
};

enum class TRoadSource : uint8_t { Complete, Nearest, File };

struct TImportSummary {
    std::string Format;  // "TSPLIB", "CSV"
    std::string Name;    // the problem's name, when the file gives one
    std::string Comment; // the file's comment, when it gives one
    TRoadSource Roads = TRoadSource::Complete;
    int32_t Neighbours = 0;   // k of the nearest-neighbour rule
    int32_t JoiningRoads = 0; // roads added to join the parts it left apart
};

struct TImportResult {
    TTSPMap Map;
    TImportSummary Summary;
};

struct TImportedNode {
    std::string Name;
    TPlanePoint Point; // on the map surface
    bool IsCity = true;
};

// Nodes at positions 0, 1, ... with IDs equal to positions, the roads as given
// (both ways already), and the selection of node positions in route order.
TTSPMap AssembleMap(const std::vector<TImportedNode>& nodes, const TRoadLists& roads,
                    const TIntegerArray& selection);

// Roads for nodes without roads of their own, by the options' rule; fills in
// the summary's road fields.
TRoadLists MakeRoads(const std::vector<TImportedNode>& nodes, const TRoadOptions& options,
                     TImportSummary& summary);
