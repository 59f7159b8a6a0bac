// Cutting ways into pieces: at nodes the extract has no position for, and at
// the edge of the bounding box, where a road that leaves the box ends on the
// edge itself (so the drawn road reaches the frame instead of stopping short).

#include "io/RoadNetwork.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {

constexpr size_t kCancelPollVertices = 1u << 16;

// The parameters t0 ≤ t1 in [0, 1] of the part of segment a→b inside the box
// (Liang–Barsky), or nothing when the segment misses the box.
std::optional<std::pair<double, double>> ClipSegment(const TPlaneBox& box, TPlanePoint a,
                                                     TPlanePoint b) {
    double t0 = 0, t1 = 1;
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.X - box.MinX, box.MaxX - a.X, a.Y - box.MinY, box.MaxY - a.Y};
    for (int side = 0; side < 4; ++side) {
        if (p[side] == 0) {
            if (q[side] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[side] / p[side];
        if (p[side] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return std::nullopt;
    return std::make_pair(t0, t1);
}

class PieceCutter {
public:
    PieceCutter(TRoadNetwork& network, const std::optional<TPlaneBox>& box)
        : network_(network), box_(box) {}

    // Continues the current piece from vertex `from` (or -1) to vertex `to`.
    void Step(int32_t from, int32_t to) {
        if (!box_) {
            if (from < 0)
                network_.Pieces.Close();
            Append(to);
            return;
        }
        const bool toInside = box_->Contains(network_.Points[static_cast<size_t>(to)]);
        if (from < 0) {
            network_.Pieces.Close();
            if (toInside)
                Append(to);
            return;
        }
        CrossSegment(from, to, toInside);
    }

    void Break() { network_.Pieces.Close(); }

private:
    void Append(int32_t vertex) {
        TPolylines& pieces = network_.Pieces;
        // A way that names the same node twice in a row has no segment there.
        if (pieces.Vertices.size() > pieces.Start.back() && pieces.Vertices.back() == vertex)
            return;
        pieces.Add(vertex);
    }

    void CrossSegment(int32_t from, int32_t to, bool toInside) {
        const bool fromInside = box_->Contains(network_.Points[static_cast<size_t>(from)]);
        if (fromInside && toInside) {
            Append(to);
            return;
        }
        // Clip the segment in the direction of the lower index, so that two
        // ways sharing it in opposite directions meet the edge at one vertex.
        const bool forward = from < to;
        const int32_t low = forward ? from : to, high = forward ? to : from;
        const auto clip = ClipSegment(*box_, network_.Points[static_cast<size_t>(low)],
                                      network_.Points[static_cast<size_t>(high)]);
        // A segment that misses the box or only touches its edge adds nothing.
        if (!clip || clip->second <= clip->first) {
            network_.Pieces.Close();
            return;
        }
        const bool lowInside = forward ? fromInside : toInside;
        const bool highInside = forward ? toInside : fromInside;
        const int32_t entry = lowInside ? low : EdgeVertex(low, high, 0, clip->first);
        const int32_t exit = highInside ? high : EdgeVertex(low, high, 1, clip->second);
        if (!fromInside)
            network_.Pieces.Close(); // the road comes (back) into the box here
        Append(forward ? entry : exit);
        Append(forward ? exit : entry);
        if (!toInside)
            network_.Pieces.Close(); // and leaves it here
    }

    // The vertex where segment low→high meets the edge (`which` 0 entering, 1
    // leaving), made once per segment and shared by the ways that use it.
    int32_t EdgeVertex(int32_t low, int32_t high, int which, double t) {
        const auto key = std::make_tuple(low, high, which);
        const auto found = edgeVertices_.find(key);
        if (found != edgeVertices_.end())
            return found->second;
        const TPlanePoint a = network_.Points[static_cast<size_t>(low)];
        const TPlanePoint b = network_.Points[static_cast<size_t>(high)];
        network_.Points.push_back({a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t});
        network_.Known.push_back(true);
        const auto vertex = static_cast<int32_t>(network_.Points.size() - 1);
        edgeVertices_.emplace(key, vertex);
        return vertex;
    }

    TRoadNetwork& network_;
    const std::optional<TPlaneBox>& box_;
    std::map<std::tuple<int32_t, int32_t, int>, int32_t> edgeVertices_;
};

} // namespace

void TPolylines::Close() {
    if (Vertices.size() - Start.back() >= 2)
        Start.push_back(Vertices.size());
    else
        Vertices.resize(Start.back());
}

TRoadNetwork BuildRoadPieces(const TOsmExtract& extract, std::vector<TPlanePoint> points,
                             const std::optional<TPlaneBox>& box, const TImportProgress& progress) {
    TRoadNetwork network;
    network.Points = std::move(points);
    network.Known = extract.NodeKnown;
    PieceCutter cutter(network, box);
    size_t seen = 0;
    for (size_t way = 0; way < extract.WayCount(); ++way) {
        int32_t previous = -1;
        for (size_t i = extract.WayStart[way]; i < extract.WayStart[way + 1]; ++i) {
            const auto vertex = static_cast<int32_t>(extract.NodeIndex(extract.WayNodes[i]));
            if (!network.Known[static_cast<size_t>(vertex)]) {
                cutter.Break();
                previous = -1;
                continue;
            }
            cutter.Step(previous, vertex);
            previous = vertex;
            if (++seen % kCancelPollVertices == 0)
                progress.CheckCancel();
        }
        cutter.Break();
    }
    return network;
}

double PolylineLength(const std::vector<TPlanePoint>& points, const int32_t* begin,
                      const int32_t* end) {
    double length = 0;
    for (const int32_t* v = begin; v + 1 < end; ++v) {
        const TPlanePoint a = points[static_cast<size_t>(v[0])];
        const TPlanePoint b = points[static_cast<size_t>(v[1])];
        length += std::hypot(b.X - a.X, a.Y - b.Y);
    }
    return length;
}
