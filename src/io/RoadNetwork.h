#pragma once
// The road network of an extract on the plane, from the raw ways to the roads
// of the map: ways cut into pieces (at gaps in the data and at the edge of a
// bounding box), the largest connected part, and the roads between the nodes
// that must stay (junctions, ends, nodes towns are joined to).

#include "io/GeoProjection.h"
#include "io/ImportProgress.h"
#include "io/OsmExtract.h"

#include <cstdint>
#include <optional>
#include <vector>

// An axis-parallel rectangle of the plane, edges included.
struct TPlaneBox {
    double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
    bool Contains(const TPlanePoint& p) const {
        return p.X >= MinX && p.X <= MaxX && p.Y >= MinY && p.Y <= MaxY;
    }
};

// Polylines of vertex indices, stored one after another: line i is
// Vertices[Start[i] .. Start[i + 1]).
struct TPolylines {
    std::vector<int32_t> Vertices;
    std::vector<size_t> Start{0};

    size_t Count() const { return Start.size() - 1; }
    size_t Size(size_t line) const { return Start[line + 1] - Start[line]; }
    const int32_t* Begin(size_t line) const { return Vertices.data() + Start[line]; }
    const int32_t* End(size_t line) const { return Vertices.data() + Start[line + 1]; }
    void Add(int32_t vertex) { Vertices.push_back(vertex); }
    // Ends the line being added; a line of fewer than two vertices is dropped.
    void Close();
};

struct TRoadNetwork {
    // Vertex positions: the extract's nodes (same order as NodeIds), then the
    // points where roads cross the edge of the bounding box.
    std::vector<TPlanePoint> Points;
    std::vector<bool> Known; // a node without a position breaks its way
    TPolylines Pieces;       // each a run of consecutive known vertices
};

// Cuts the ways of the extract into pieces at nodes without a position and,
// with a box, keeps only what lies inside it: a way that leaves the box ends
// at the edge, one that comes back starts a new piece there.
// `points` are the extract's node positions on the plane.
TRoadNetwork BuildRoadPieces(const TOsmExtract& extract, std::vector<TPlanePoint> points,
                             const std::optional<TPlaneBox>& box, const TImportProgress& progress);

// Marks the vertices of the largest connected part (by total road length);
// every vertex of no piece is outside it.
std::vector<bool> LargestPart(const TRoadNetwork& network, const TImportProgress& progress);

// The roads of the map: the pieces inside the part, split at every vertex
// that must stay a node (used by two pieces or twice, a piece's end, or in
// `forced`). Each road runs from such a vertex to the next, through the
// vertices that only shape it.
TPolylines SplitIntoRoads(const TRoadNetwork& network, const std::vector<bool>& inPart,
                          const std::vector<bool>& forced, const TImportProgress& progress);

// Length of a polyline on the plane.
double PolylineLength(const std::vector<TPlanePoint>& points, const int32_t* begin,
                      const int32_t* end);
