#include "io/ImportedMap.h"

#include "io/ImportLimits.h"

#include <cmath>

namespace {

// The map file keeps 15 significant digits. Coordinates on a surface of at
// most a million pixels, rounded to a millionth of a pixel, need no more, so
// an imported map saved and opened again is the same map.
double FileExact(double coordinate) {
    return std::round(coordinate * 1e6) / 1e6;
}

} // namespace

TTSPMap AssembleMap(const std::vector<TImportedNode>& nodes, const TRoadLists& roads,
                    const TIntegerArray& selection) {
    CheckImportLimits(static_cast<int64_t>(nodes.size()), CountRoadEntries(roads));
    TTSPMap map;
    for (size_t p = 0; p < nodes.size(); ++p) {
        TCity city;
        city.ID = static_cast<int32_t>(p);
        city.Name = nodes[p].Name;
        city.X = FileExact(nodes[p].Point.X);
        city.Y = FileExact(nodes[p].Point.Y);
        city.ThisCity = nodes[p].IsCity;
        if (p < roads.size())
            city.Roads.Items() = roads[p];
        map.AddCity(city);
    }
    map.SetSelection(selection);
    return map;
}

TRoadLists MakeRoads(const std::vector<TImportedNode>& nodes, const TRoadOptions& options,
                     TImportSummary& summary) {
    std::vector<TPlanePoint> points;
    points.reserve(nodes.size());
    for (const TImportedNode& node : nodes)
        points.push_back(node.Point);
    TBuiltRoads built = BuildRoads(points, options);
    summary.Roads =
        built.Rule == TRoadRule::Complete ? TRoadSource::Complete : TRoadSource::Nearest;
    summary.Neighbours = built.Neighbours;
    summary.JoiningRoads = built.JoiningRoads;
    return std::move(built.Lists);
}
