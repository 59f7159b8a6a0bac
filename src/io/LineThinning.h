#pragma once
// Thinning a road's shape (Douglas–Peucker): of the points between its two
// ends keep only those needed so that no dropped point lies farther than the
// tolerance from the thinned line.

#include "io/RoadNetwork.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Appends to `kept` the positions (0 … count − 1) of the points that stay, in
// order, the first and the last always among them. Distances are measured to
// the segment, not to the endless line, so a road that turns back on itself
// keeps its turn. A tolerance of 0 keeps every point off the straight line.
void ThinPolyline(const TPlanePoint* points, size_t count, double tolerance,
                  std::vector<size_t>& kept);

// Douglas–Peucker costs up to the square of a line's length (a zigzag keeps one
// point per pass). Roads are thinned in stretches of at most this many points,
// the points where stretches meet staying, so a hostile road of a million
// points costs seconds, not hours. Real roads between two junctions are
// shorter than this.
inline constexpr size_t kThinningStretch = 1024;

// How thinning went: how much it shortened the roads, or that it stopped.
struct TThinningResult {
    TPolylines Roads;
    double LengthBefore = 0;    // total length through every point
    double LengthAfter = 0;     // total length through the kept points
    double WorstShortening = 0; // largest share one road lost
    bool Exceeded = false;      // more than maxShapePoints points kept: stopped
};

// Thins every road (its ends stay) with the points in `pixels`, stopping as
// soon as more than `maxShapePoints` points between road ends stay.
TThinningResult ThinRoads(const TPolylines& roads, const std::vector<TPlanePoint>& pixels,
                          double tolerance, int64_t maxShapePoints,
                          const TImportProgress& progress);
