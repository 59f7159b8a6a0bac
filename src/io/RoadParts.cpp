// The largest connected part of the road network, and the roads of the map
// between the vertices that stay nodes.

#include "io/RoadNetwork.h"

#include <cmath>
#include <numeric>

namespace {

constexpr size_t kCancelPollLines = 4096;

// Union–find over vertex indices, with path halving and union by size.
class DisjointSets {
public:
    explicit DisjointSets(size_t count) : parent_(count), size_(count, 1) {
        std::iota(parent_.begin(), parent_.end(), int32_t{0});
    }
    int32_t Find(int32_t v) {
        while (parent_[static_cast<size_t>(v)] != v) {
            const auto up = static_cast<size_t>(parent_[static_cast<size_t>(v)]);
            parent_[static_cast<size_t>(v)] = parent_[up];
            v = parent_[static_cast<size_t>(v)];
        }
        return v;
    }
    void Join(int32_t a, int32_t b) {
        a = Find(a);
        b = Find(b);
        if (a == b)
            return;
        if (size_[static_cast<size_t>(a)] < size_[static_cast<size_t>(b)])
            std::swap(a, b);
        parent_[static_cast<size_t>(b)] = a;
        size_[static_cast<size_t>(a)] += size_[static_cast<size_t>(b)];
    }

private:
    std::vector<int32_t> parent_;
    std::vector<int32_t> size_;
};

} // namespace

std::vector<bool> LargestPart(const TRoadNetwork& network, const TImportProgress& progress) {
    const TPolylines& pieces = network.Pieces;
    DisjointSets sets(network.Points.size());
    for (size_t line = 0; line < pieces.Count(); ++line) {
        for (const int32_t* v = pieces.Begin(line) + 1; v < pieces.End(line); ++v)
            sets.Join(v[-1], v[0]);
        if (line % kCancelPollLines == 0)
            progress.CheckCancel();
    }
    // Length per part, credited to the part's representative vertex.
    std::vector<double> length(network.Points.size(), 0.0);
    for (size_t line = 0; line < pieces.Count(); ++line) {
        const int32_t root = sets.Find(*pieces.Begin(line));
        length[static_cast<size_t>(root)] +=
            PolylineLength(network.Points, pieces.Begin(line), pieces.End(line));
    }
    int32_t best = -1;
    for (size_t line = 0; line < pieces.Count(); ++line) {
        const int32_t root = sets.Find(*pieces.Begin(line));
        if (best < 0 || length[static_cast<size_t>(root)] > length[static_cast<size_t>(best)])
            best = root;
    }
    std::vector<bool> inPart(network.Points.size(), false);
    for (size_t line = 0; line < pieces.Count() && best >= 0; ++line)
        for (const int32_t* v = pieces.Begin(line); v < pieces.End(line); ++v)
            inPart[static_cast<size_t>(*v)] = sets.Find(*v) == best;
    return inPart;
}

TPolylines SplitIntoRoads(const TRoadNetwork& network, const std::vector<bool>& inPart,
                          const std::vector<bool>& forced, const TImportProgress& progress) {
    const TPolylines& pieces = network.Pieces;
    // A vertex stays a node when two pieces share it, a piece passes it twice,
    // a piece ends there, or a town is joined to it.
    std::vector<uint8_t> uses(network.Points.size(), 0);
    std::vector<bool> stays = forced;
    stays.resize(network.Points.size(), false);
    for (size_t line = 0; line < pieces.Count(); ++line) {
        if (!inPart[static_cast<size_t>(*pieces.Begin(line))])
            continue;
        for (const int32_t* v = pieces.Begin(line); v < pieces.End(line); ++v) {
            uint8_t& count = uses[static_cast<size_t>(*v)];
            count = static_cast<uint8_t>(std::min(count + 1, 2));
        }
        stays[static_cast<size_t>(*pieces.Begin(line))] = true;
        stays[static_cast<size_t>(pieces.End(line)[-1])] = true;
    }
    for (size_t v = 0; v < uses.size(); ++v)
        if (uses[v] >= 2)
            stays[v] = true;

    TPolylines roads;
    for (size_t line = 0; line < pieces.Count(); ++line) {
        if (!inPart[static_cast<size_t>(*pieces.Begin(line))])
            continue;
        roads.Add(*pieces.Begin(line));
        for (const int32_t* v = pieces.Begin(line) + 1; v < pieces.End(line); ++v) {
            roads.Add(*v);
            if (stays[static_cast<size_t>(*v)]) {
                roads.Close();
                if (v + 1 < pieces.End(line))
                    roads.Add(*v);
            }
        }
        if (line % kCancelPollLines == 0)
            progress.CheckCancel();
    }
    return roads;
}
