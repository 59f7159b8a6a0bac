#pragma once
// Which node lies under the pointer. A node is hit when the pointer is less
// than HitRadius pixels from its centre in both directions. The editor needs
// both the first and the last hit node in list order, on maps of many
// thousands of nodes and at every mouse move, so nodes are kept in a uniform
// grid of buckets that is rebuilt whenever the map has changed.

#include <cstdint>
#include <vector>

class TTSPMap;

inline constexpr int kHitRadius = 5;

class TNodeHitIndex {
public:
    // List position of the first / last node hit at (x, y), or -1.
    int32_t First(const TTSPMap& map, double x, double y);
    int32_t Last(const TTSPMap& map, double x, double y);

    // Forgets the buckets, so the next query rebuilds them.
    void Invalidate() { valid_ = false; }

private:
    void Update(const TTSPMap& map);
    void Build(const TTSPMap& map);
    template <typename Better> int32_t Find(const TTSPMap& map, double x, double y, Better better);
    int64_t CellX(double x) const;
    int64_t CellY(double y) const;

    bool valid_ = false;
    const TTSPMap* map_ = nullptr;
    uint64_t version_ = 0;
    double originX_ = 0;
    double originY_ = 0;
    double cellSize_ = 16;
    int64_t columns_ = 0;
    int64_t rows_ = 0;
    std::vector<int32_t> cellStart_; // columns_ * rows_ + 1 offsets into positions_
    std::vector<int32_t> positions_; // node positions, ascending within a cell
};
