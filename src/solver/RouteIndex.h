#pragma once
// The child checks of the solver in time independent of the road lists.
//
// Every child of every generation is tested with HasRoad, ContainsAllSelected
// and IsValidRoute. The map answers them by scanning road lists and the route,
// so their cost grows with the node degrees and the selection. This index is
// built from the map when a run starts (and again whenever the map or its
// selection changed since) and gives exactly the map's answers:
//   - "is there a road a -> b": one bit of a dense n x n table, or one probe of
//     a hash set of pairs for maps too large for the table;
//   - "is every selected city in this route": one pass over the route that
//     stamps the selected cities it meets.
// Maps whose node IDs are not their positions (only hand-edited files) are
// answered by the map's own scans.

#include "core/ArraysUnit.h"

#include <cstdint>
#include <vector>

class TTSPMap;

namespace solver {

class TRouteIndex {
public:
    enum class TRoadStore { Automatic, Dense, Hashed };

    // Rebuilds when the map changed (its Version, its selection, or a different
    // map). Cheap when nothing changed: one comparison plus one pass over the
    // selection, which changes without touching the map's version.
    void Refresh(const TTSPMap& map);
    // Builds from the map now. A store other than Automatic is for tests.
    void Rebuild(const TTSPMap& map, TRoadStore store = TRoadStore::Automatic);

    // The same answers as TTSPMap::HasRoad, ContainsAllSelected, IsValidRoute.
    bool HasRoad(int32_t a, int32_t b) const;
    bool ContainsAllSelected(const TIntegerArray& route) const;
    // Raises the list's EIntArrayError for an empty route or selection, as the map does.
    bool IsValidRoute(const TIntegerArray& route) const;
    // ContainsAllSelected and then IsValidRoute: the check of a child. Both
    // are made in one pass over the route when neither can raise.
    bool IsValidChild(const TIntegerArray& route) const;

    // Counts the builds: answers given under one epoch hold while it lasts.
    uint32_t Epoch() const { return epoch_; }

    // Which store answers HasRoad (for tests): Dense, Hashed, or Automatic
    // when the map's own scans answer.
    TRoadStore Store() const { return store_; }

    // Largest node count for the dense table (n * n bits; 8 MB at this size).
    static constexpr int32_t kDenseLimit = 8192;

private:
    void BuildDense();
    void BuildHashed();
    void BuildSelection();
    bool HashedContains(int32_t a, int32_t b) const;
    // The one-pass check of a route whose ends are right.
    template <bool Dense> bool ScanChild(const int32_t* genes, int32_t count) const;
    bool DenseContains(int32_t a, int32_t b) const {
        const uint32_t column = static_cast<uint32_t>(b);
        return (bits_[static_cast<size_t>(a) * rowWords_ + column / 64] >> (column % 64)) & 1u;
    }
    // Starts a new round of stamps; returns its value.
    uint32_t NextStamp() const;

    const TTSPMap* map_ = nullptr;
    uint64_t version_ = 0;
    uint32_t epoch_ = 0;
    bool built_ = false;
    // The selection the index was built for.
    TIntegerArray selection_;
    // Plain scans of the map answer instead of the tables below.
    bool delegateRoads_ = true;
    bool delegateSelection_ = true;
    TRoadStore store_ = TRoadStore::Automatic;
    int32_t nodeCount_ = 0;

    // Dense: bit b of row a is set when b is in the road list of node a.
    std::vector<uint64_t> bits_;
    int32_t rowWords_ = 0;

    // Hashed: open addressing over (a << 32 | b), kEmptyKey marks a free slot
    // (a is a node position, so a never equals -1).
    std::vector<uint64_t> slots_;
    uint64_t slotMask_ = 0;

    // Selection: the slot of each selected node (-1 for other nodes) and the
    // number of distinct selected cities; stamps mark the slots a route met.
    std::vector<int32_t> selectedSlot_;
    int32_t distinctSelected_ = 0;
    mutable std::vector<uint32_t> seenStamp_;
    mutable uint32_t stamp_ = 0;
};

} // namespace solver
