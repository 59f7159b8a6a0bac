// Douglas–Peucker on its own: what stays of a line, and the stretches long
// roads are thinned in.

#include "io/LineThinning.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<size_t> Kept(const std::vector<TPlanePoint>& line, double tolerance) {
    std::vector<size_t> kept;
    ThinPolyline(line.data(), line.size(), tolerance, kept);
    return kept;
}

TEST(LineThinning, KeepsThePointsFartherThanTheToleranceFromTheThinnedLine) {
    // A bump of height 3 between two flat stretches.
    const std::vector<TPlanePoint> line{{0, 0}, {1, 0.5}, {2, 0}, {3, 3}, {4, 0}, {5, 0}};
    EXPECT_EQ(Kept(line, 2), (std::vector<size_t>{0, 3, 5}));
    EXPECT_EQ(Kept(line, 1), (std::vector<size_t>{0, 2, 3, 5}));
    EXPECT_EQ(Kept(line, 0), (std::vector<size_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Kept(line, 3), (std::vector<size_t>{0, 5}));
    // A road that turns back: its far end is 4 from both ends of the segment.
    const std::vector<TPlanePoint> back{{0, 0}, {4, 0}, {1, 0}};
    EXPECT_EQ(Kept(back, 2), (std::vector<size_t>{0, 1, 2}));
    // A loop that ends where it starts keeps its far side.
    const std::vector<TPlanePoint> loop{{0, 0}, {5, 0}, {5, 5}, {0, 0}};
    EXPECT_EQ(Kept(loop, 1).size(), 4u);
}

TEST(LineThinning, LongRoadsAreThinnedInStretchesThatMeetAtKeptPoints) {
    TPolylines roads;
    std::vector<TPlanePoint> pixels;
    const size_t count = 2 * kThinningStretch + 100;
    for (size_t i = 0; i < count; ++i) {
        pixels.push_back({static_cast<double>(i), 0});
        roads.Add(static_cast<int32_t>(i));
    }
    roads.Close();
    const TThinningResult straight = ThinRoads(roads, pixels, 1, 1000, {});
    EXPECT_EQ(straight.Roads.Vertices,
              (std::vector<int32_t>{0, int32_t(kThinningStretch), int32_t(2 * kThinningStretch),
                                    int32_t(count - 1)}));
    EXPECT_DOUBLE_EQ(straight.LengthAfter, straight.LengthBefore);
    EXPECT_FALSE(straight.Exceeded);

    // A zigzag of amplitude 3 keeps most points at tolerance 2, and thinning
    // stops once more points stay than allowed.
    for (size_t i = 0; i < count; ++i)
        pixels[i].Y = (i % 2) * 3.0;
    const TThinningResult zigzag = ThinRoads(roads, pixels, 2, static_cast<int64_t>(count), {});
    EXPECT_FALSE(zigzag.Exceeded);
    EXPECT_GT(zigzag.Roads.Vertices.size(), count * 9 / 10);
    EXPECT_TRUE(ThinRoads(roads, pixels, 2, 500, {}).Exceeded);
    const TThinningResult flat = ThinRoads(roads, pixels, 3, 1000, {});
    EXPECT_LT(flat.LengthAfter, flat.LengthBefore);
    EXPECT_NEAR(flat.WorstShortening, 1 - 1 / std::hypot(1.0, 3.0), 1e-3);
}

} // namespace
