// Roads for imported nodes: the complete graph, the nearest-neighbour graph
// (checked against a brute-force search) and the joining of its parts.

#include "io/ImportError.h"
#include "io/KdTree.h"
#include "io/RoadBuilder.h"
#include "map/TSPMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

std::vector<TPlanePoint> RandomPoints(int32_t count, uint32_t seed, double spread = 1000) {
    std::mt19937 generator(seed);
    // Whole numbers make equal distances common, which tests the tie rule.
    std::uniform_int_distribution<int> coordinate(0, static_cast<int>(spread));
    std::vector<TPlanePoint> points(static_cast<size_t>(count));
    for (TPlanePoint& point : points)
        point = {double(coordinate(generator)), double(coordinate(generator))};
    return points;
}

int32_t CountParts(const TRoadLists& roads) {
    std::vector<bool> seen(roads.size());
    int32_t parts = 0;
    for (size_t start = 0; start < roads.size(); ++start) {
        if (seen[start])
            continue;
        ++parts;
        seen[start] = true;
        std::vector<int32_t> stack{static_cast<int32_t>(start)};
        while (!stack.empty()) {
            const int32_t node = stack.back();
            stack.pop_back();
            for (int32_t next : roads[static_cast<size_t>(node)])
                if (!seen[static_cast<size_t>(next)]) {
                    seen[static_cast<size_t>(next)] = true;
                    stack.push_back(next);
                }
        }
    }
    return parts;
}

void ExpectBothWaysSortedNoLoops(const TRoadLists& roads) {
    for (size_t a = 0; a < roads.size(); ++a) {
        const std::vector<int32_t>& list = roads[a];
        ASSERT_TRUE(std::is_sorted(list.begin(), list.end()));
        ASSERT_TRUE(std::adjacent_find(list.begin(), list.end()) == list.end());
        for (int32_t b : list) {
            ASSERT_NE(b, static_cast<int32_t>(a));
            const std::vector<int32_t>& back = roads[static_cast<size_t>(b)];
            ASSERT_TRUE(std::binary_search(back.begin(), back.end(), static_cast<int32_t>(a)));
        }
    }
}

TEST(KdTree, NearestAgreesWithBruteForce) {
    const std::vector<TPlanePoint> points = RandomPoints(600, 5, 60);
    const TKdTree tree(points);
    for (int32_t a = 0; a < 600; a += 7) {
        std::vector<std::pair<double, int32_t>> all;
        for (int32_t b = 0; b < 600; ++b) {
            if (b == a)
                continue;
            const double dx = points[size_t(a)].X - points[size_t(b)].X;
            const double dy = points[size_t(a)].Y - points[size_t(b)].Y;
            all.push_back({dx * dx + dy * dy, b});
        }
        std::sort(all.begin(), all.end());
        std::vector<int32_t> expected;
        for (size_t i = 0; i < 9; ++i)
            expected.push_back(all[i].second);
        EXPECT_EQ(tree.Nearest(a, 9), expected) << "point " << a;
    }
    EXPECT_EQ(tree.Nearest(0, 10'000).size(), 599u);
}

TEST(RoadBuilder, CompleteGraphWhileItFitsTheRoadLimit) {
    EXPECT_TRUE(CompleteGraphFits(3162)); // 3162 * 3161 entries <= 10,000,000
    EXPECT_FALSE(CompleteGraphFits(3163));
    EXPECT_EQ(ResolveRoadRule({}, 3162), TRoadRule::Complete);
    EXPECT_EQ(ResolveRoadRule({}, 3163), TRoadRule::Nearest);
    EXPECT_EQ(ResolveRoadRule({TRoadRule::Nearest, 3}, 5), TRoadRule::Nearest);

    const TRoadLists roads = BuildRoads(RandomPoints(5, 1), {}).Lists;
    ASSERT_EQ(roads.size(), 5u);
    EXPECT_EQ(roads[2], (std::vector<int32_t>{0, 1, 3, 4}));
    EXPECT_EQ(CountRoadEntries(roads), 20);

    EXPECT_THROW(BuildRoads(RandomPoints(3163, 1), {TRoadRule::Complete, 8}), EImportError);
    EXPECT_THROW(BuildRoads(RandomPoints(kMaxMatrixNodes + 1, 1), {}), EImportError);
}

TEST(RoadBuilder, NearestNeighboursBothWaysAndConnected) {
    // Four tight clusters far apart: the neighbours alone leave them apart.
    std::vector<TPlanePoint> points;
    const TPlanePoint centres[] = {{0, 0}, {5000, 0}, {0, 9000}, {20000, 20000}};
    for (const TPlanePoint& centre : centres)
        for (const TPlanePoint& p : RandomPoints(3000, uint32_t(centre.X + centre.Y), 100))
            points.push_back({centre.X + p.X, centre.Y + p.Y});
    const TBuiltRoads built = BuildRoads(points, {TRoadRule::Nearest, 4});
    const TRoadLists& roads = built.Lists;
    // Each joining road merges two parts: no more are added than needed.
    const int32_t parts = CountParts(BuildNearestRoads(points, 4));
    EXPECT_GE(parts, 4);
    EXPECT_EQ(built.JoiningRoads, parts - 1);
    ExpectBothWaysSortedNoLoops(roads);
    EXPECT_EQ(CountParts(roads), 1);
    const TKdTree tree(points);
    for (int32_t a = 0; a < static_cast<int32_t>(points.size()); a += 97)
        for (int32_t b : tree.Nearest(a, 4))
            EXPECT_TRUE(std::binary_search(roads[size_t(a)].begin(), roads[size_t(a)].end(), b));
}

TEST(RoadBuilder, PartsAreJoinedByTheirClosestPair) {
    // Two pairs: {0, 1} on the left, {2, 3} on the right; 1 and 2 are closest.
    const std::vector<TPlanePoint> points{{0, 0}, {10, 0}, {30, 1}, {40, 1}};
    TRoadLists roads{{1}, {0}, {3}, {2}};
    ConnectRoads(points, roads);
    EXPECT_EQ(roads, (TRoadLists{{1}, {0, 2}, {1, 3}, {2}}));

    // Three parts in a row: each joins its nearest neighbour part.
    const std::vector<TPlanePoint> row{{0, 0}, {100, 0}, {150, 0}};
    TRoadLists apart(3);
    ConnectRoads(row, apart);
    EXPECT_EQ(apart, (TRoadLists{{1}, {0, 2}, {1}}));
}

} // namespace
