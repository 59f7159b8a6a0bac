// Douglas–Peucker with an explicit stack: a road of a hundred thousand points
// must not recurse that deep.

#include "io/LineThinning.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

double DistanceToSegment(TPlanePoint p, TPlanePoint a, TPlanePoint b) {
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0;
    if (lengthSquared > 0)
        t = std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / lengthSquared, 0.0, 1.0);
    return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

} // namespace

void ThinPolyline(const TPlanePoint* points, size_t count, double tolerance,
                  std::vector<size_t>& kept) {
    if (count == 0)
        return;
    std::vector<bool> stays(count, false);
    stays.front() = stays.back() = true;
    std::vector<std::pair<size_t, size_t>> spans{{0, count - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        double farthest = -1;
        size_t at = first;
        for (size_t i = first + 1; i < last; ++i) {
            const double distance = DistanceToSegment(points[i], points[first], points[last]);
            if (distance > farthest) {
                farthest = distance;
                at = i;
            }
        }
        if (at == first || farthest <= tolerance)
            continue;
        stays[at] = true;
        spans.emplace_back(at, last);
        spans.emplace_back(first, at);
    }
    for (size_t i = 0; i < count; ++i)
        if (stays[i])
            kept.push_back(i);
}

namespace {

// Thins one road stretch by stretch into `out` (the road being added).
void ThinRoad(const std::vector<TPlanePoint>& line, double tolerance, std::vector<size_t>& kept) {
    std::vector<size_t> stretch;
    kept.push_back(0);
    for (size_t first = 0; first + 1 < line.size(); first += kThinningStretch) {
        const size_t last = std::min(first + kThinningStretch, line.size() - 1);
        stretch.clear();
        ThinPolyline(line.data() + first, last - first + 1, tolerance, stretch);
        for (size_t i = 1; i < stretch.size(); ++i)
            kept.push_back(first + stretch[i]);
    }
}

} // namespace

TThinningResult ThinRoads(const TPolylines& roads, const std::vector<TPlanePoint>& pixels,
                          double tolerance, int64_t maxShapePoints,
                          const TImportProgress& progress) {
    TThinningResult result;
    TPolylines& thinned = result.Roads;
    std::vector<TPlanePoint> line;
    std::vector<size_t> kept;
    int64_t shapePoints = 0;
    for (size_t road = 0; road < roads.Count(); ++road) {
        line.clear();
        kept.clear();
        for (const int32_t* v = roads.Begin(road); v < roads.End(road); ++v)
            line.push_back(pixels[static_cast<size_t>(*v)]);
        ThinRoad(line, tolerance, kept);
        shapePoints += static_cast<int64_t>(kept.size()) - 2;
        if (shapePoints > maxShapePoints) {
            result.Exceeded = true;
            return result;
        }
        const size_t first = thinned.Vertices.size();
        for (size_t at : kept)
            thinned.Add(roads.Begin(road)[at]);
        const double before = PolylineLength(pixels, roads.Begin(road), roads.End(road));
        const double after = PolylineLength(pixels, thinned.Vertices.data() + first,
                                            thinned.Vertices.data() + thinned.Vertices.size());
        thinned.Close();
        result.LengthBefore += before;
        result.LengthAfter += after;
        if (before > 0)
            result.WorstShortening = std::max(result.WorstShortening, (before - after) / before);
        if (road % 256 == 0)
            progress.CheckCancel();
    }
    return result;
}
