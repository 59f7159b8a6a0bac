// Nearest-vertex search on a grid of square cells as wide as the largest
// reach, so each town looks at the few cells around its own.

#include "io/TownJoining.h"

#include <algorithm>
#include <cmath>

namespace {

using CellKey = std::pair<int64_t, int64_t>;

class VertexGrid {
public:
    VertexGrid(const TRoadNetwork& network, double cell) : cell_(cell) {
        const TPolylines& pieces = network.Pieces;
        entries_.reserve(pieces.Vertices.size());
        for (int32_t v : pieces.Vertices)
            entries_.push_back({Key(network.Points[static_cast<size_t>(v)]), v});
        std::sort(entries_.begin(), entries_.end());
        entries_.erase(std::unique(entries_.begin(), entries_.end()), entries_.end());
    }

    // Calls visit(vertex) for every vertex within `reach` cells' span of p
    // (a superset of those within reach).
    template <typename TVisit> void Near(TPlanePoint p, double reach, TVisit visit) const {
        const CellKey centre = Key(p);
        const auto span = static_cast<int64_t>(std::ceil(reach / cell_));
        for (int64_t cx = centre.first - span; cx <= centre.first + span; ++cx) {
            auto at = std::lower_bound(entries_.begin(), entries_.end(),
                                       Entry{{cx, centre.second - span}, INT32_MIN});
            for (; at != entries_.end() && at->key.first == cx &&
                   at->key.second <= centre.second + span;
                 ++at)
                visit(at->vertex);
        }
    }

private:
    struct Entry {
        CellKey key;
        int32_t vertex;
        auto operator<=>(const Entry&) const = default;
    };

    CellKey Key(TPlanePoint p) const {
        return {static_cast<int64_t>(std::floor(p.X / cell_)),
                static_cast<int64_t>(std::floor(p.Y / cell_))};
    }

    double cell_;
    std::vector<Entry> entries_;
};

} // namespace

std::vector<TTownJoin> JoinTowns(const TRoadNetwork& network, const std::vector<bool>& inPart,
                                 const std::vector<TPlanePoint>& towns,
                                 const std::vector<double>& reach,
                                 const TImportProgress& progress) {
    double cell = 0;
    for (double r : reach)
        cell = std::max(cell, r);
    const VertexGrid grid(network, cell > 0 ? cell : 1.0);
    std::vector<TTownJoin> joins(towns.size());
    for (size_t t = 0; t < towns.size(); ++t) {
        const TPlanePoint town = towns[t];
        TTownJoin& join = joins[t];
        double nearest = 0;
        grid.Near(town, reach[t], [&](int32_t v) {
            const TPlanePoint p = network.Points[static_cast<size_t>(v)];
            const double distance = std::hypot(p.X - town.X, p.Y - town.Y);
            if (distance > reach[t])
                return;
            if (!inPart[static_cast<size_t>(v)]) {
                join.OtherRoadNear = true;
                return;
            }
            // Ties go to the lower vertex, so the result never depends on the
            // order of the grid.
            if (join.Vertex < 0 || distance < nearest || (distance == nearest && v < join.Vertex)) {
                join.Vertex = v;
                nearest = distance;
            }
        });
        if (join.Vertex >= 0)
            join.OtherRoadNear = false;
        if (t % 256 == 0)
            progress.CheckCancel();
    }
    return joins;
}
