#include "ui/untMainHitIndex.h"

#include "map/TSPMap.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsHit(const TCity& city, double x, double y) {
    return std::fabs(x - city.X) < kHitRadius && std::fabs(y - city.Y) < kHitRadius;
}

// Few enough buckets to build quickly, enough to keep them short.
constexpr int64_t kMaxCells = 1 << 20;

} // namespace

int64_t TNodeHitIndex::CellX(double x) const {
    const double c = std::floor((x - originX_) / cellSize_);
    return std::clamp<int64_t>(static_cast<int64_t>(std::clamp(c, -1.0, 1.0e12)), 0, columns_ - 1);
}

int64_t TNodeHitIndex::CellY(double y) const {
    const double c = std::floor((y - originY_) / cellSize_);
    return std::clamp<int64_t>(static_cast<int64_t>(std::clamp(c, -1.0, 1.0e12)), 0, rows_ - 1);
}

void TNodeHitIndex::Update(const TTSPMap& map) {
    if (!valid_ || map_ != &map || version_ != map.Version())
        Build(map);
}

void TNodeHitIndex::Build(const TTSPMap& map) {
    map_ = &map;
    version_ = map.Version();
    valid_ = true;
    positions_.clear();
    cellStart_.clear();
    columns_ = rows_ = 0;

    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool any = false;
    for (const TCity& city : map.Cities()) {
        if (!std::isfinite(city.X) || !std::isfinite(city.Y))
            continue;
        if (!any) {
            minX = maxX = city.X;
            minY = maxY = city.Y;
            any = true;
        }
        minX = std::min(minX, city.X);
        maxX = std::max(maxX, city.X);
        minY = std::min(minY, city.Y);
        maxY = std::max(maxY, city.Y);
    }
    if (!any)
        return;

    // Buckets at least as wide as a hit square, so a query looks at no more
    // than a 2 x 2 block of them; wider when the nodes spread far.
    originX_ = minX;
    originY_ = minY;
    cellSize_ = 2.0 * kHitRadius;
    const double width = maxX - minX;
    const double height = maxY - minY;
    while ((width / cellSize_ + 1) * (height / cellSize_ + 1) > static_cast<double>(kMaxCells))
        cellSize_ *= 2;
    columns_ = static_cast<int64_t>(width / cellSize_) + 1;
    rows_ = static_cast<int64_t>(height / cellSize_) + 1;

    const size_t cells = static_cast<size_t>(columns_ * rows_);
    std::vector<int32_t> cellOf(map.Cities().size(), -1);
    cellStart_.assign(cells + 1, 0);
    for (int32_t p = 0; p < map.Count(); ++p) {
        const TCity& city = map.City(p);
        if (!std::isfinite(city.X) || !std::isfinite(city.Y))
            continue;
        const int64_t cell = CellY(city.Y) * columns_ + CellX(city.X);
        cellOf[static_cast<size_t>(p)] = static_cast<int32_t>(cell);
        ++cellStart_[static_cast<size_t>(cell) + 1];
    }
    for (size_t c = 0; c < cells; ++c)
        cellStart_[c + 1] += cellStart_[c];
    positions_.resize(static_cast<size_t>(cellStart_[cells]));
    std::vector<int32_t> fill(cellStart_.begin(), cellStart_.end() - 1);
    for (int32_t p = 0; p < map.Count(); ++p) {
        const int32_t cell = cellOf[static_cast<size_t>(p)];
        if (cell >= 0)
            positions_[static_cast<size_t>(fill[static_cast<size_t>(cell)]++)] = p;
    }
}

template <typename Better>
int32_t TNodeHitIndex::Find(const TTSPMap& map, double x, double y, Better better) {
    Update(map);
    if (columns_ == 0 || !std::isfinite(x) || !std::isfinite(y))
        return -1;
    // A node farther than the hit radius outside the grid cannot be hit.
    if (x <= originX_ - kHitRadius || y <= originY_ - kHitRadius ||
        x >= originX_ + columns_ * cellSize_ + kHitRadius ||
        y >= originY_ + rows_ * cellSize_ + kHitRadius)
        return -1;
    int32_t found = -1;
    const int64_t x0 = CellX(x - kHitRadius), x1 = CellX(x + kHitRadius);
    const int64_t y0 = CellY(y - kHitRadius), y1 = CellY(y + kHitRadius);
    for (int64_t cy = y0; cy <= y1; ++cy) {
        for (int64_t cx = x0; cx <= x1; ++cx) {
            const size_t cell = static_cast<size_t>(cy * columns_ + cx);
            for (int32_t i = cellStart_[cell]; i < cellStart_[cell + 1]; ++i) {
                const int32_t p = positions_[static_cast<size_t>(i)];
                if ((found < 0 || better(p, found)) && IsHit(map.City(p), x, y))
                    found = p;
            }
        }
    }
    return found;
}

int32_t TNodeHitIndex::First(const TTSPMap& map, double x, double y) {
    return Find(map, x, y, [](int32_t a, int32_t b) { return a < b; });
}

int32_t TNodeHitIndex::Last(const TTSPMap& map, double x, double y) {
    return Find(map, x, y, [](int32_t a, int32_t b) { return a > b; });
}
