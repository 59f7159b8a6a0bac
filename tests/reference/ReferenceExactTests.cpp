// The exact reference: equal to brute force on small maps, and right on the
// maps where a route has to take one-way roads, pass transit points or
// revisit a node.

#include "ReferenceTestSupport.h"
#include "solver/SolverTestMaps.h"

#include "core/RandomUnit.h"
#include "core/TSPErrors.h"

using namespace reference;
using namespace reference_test;
using solver_test::BuildMap;
using solver_test::Point;

namespace {

// Nodes at the points with one-way roads a -> b only.
void OneWayMap(TTSPMap& map, const std::vector<Point>& points,
               const std::vector<std::pair<int32_t, int32_t>>& roads,
               const std::vector<int32_t>& selection) {
    BuildMap(map, points, {}, selection);
    for (auto [a, b] : roads)
        map.AddRoadEntry(a, b);
}

std::vector<int32_t> Ids(std::initializer_list<int32_t> ids) {
    return ids;
}

} // namespace

TEST(ReferenceExact, EqualsBruteForceOverAllOrdersOnSmallMaps) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        TTSPMap map;
        const int32_t count = 8 + static_cast<int32_t>(seed % 7);
        const int32_t selected = 3 + static_cast<int32_t>(seed % 6); // up to 8
        solver_test::RandomSolvableMap(map, seed, count, 15 + static_cast<int32_t>(seed % 4) * 15,
                                       selected, seed % 3 == 0 ? 30 : 0);
        // Duplicates and round trips are selections the file may hold.
        TIntegerArray selection = map.SelectedCities();
        if (seed % 4 == 1)
            selection.Add(selection[0]);
        if (seed % 5 == 2)
            selection.Add(selection[1]);
        map.SetSelection(selection);
        if (seed % 2 == 0)
            MakeRoadsOneWay(map, seed);
        SCOPED_TRACE("seed " + std::to_string(seed));

        const TReferenceResult result = SolveReference(map);
        EXPECT_TRUE(result.Exact);
        EXPECT_NEAR(result.Length, BruteForceLength(map), 1e-9 * result.Length);
        ExpectSolverAccepts(map, result);
    }
}

TEST(ReferenceExact, FollowsOneWayRoadsAndRevisitsNodes) {
    // A one-way ring 0 -> 1 -> 2 -> 3 -> 0 on a square of side 10. From 0 via 3
    // to 1 the route has to go all the way round and pass 0 and 1 twice.
    TTSPMap map;
    OneWayMap(map, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{0, 1}, {1, 2}, {2, 3}, {3, 0}},
              {0, 3, 1});
    const TReferenceResult result = SolveReference(map);
    EXPECT_TRUE(result.Exact);
    EXPECT_DOUBLE_EQ(result.Length, 50);
    EXPECT_EQ(result.RouteIds, Ids({0, 1, 2, 3, 0, 1}));
    ExpectSolverAccepts(map, result);
}

TEST(ReferenceExact, PassesTransitPointsBetweenSelectedCities) {
    // A and B are joined only through the transit points T1 and T2; the
    // straight road A - C - B is longer.
    TTSPMap map;
    BuildMap(map, {{0, 0}, {10, 1}, {20, 1}, {30, 0}, {15, 40}},
             {{0, 1}, {1, 2}, {2, 3}, {0, 4}, {4, 3}}, {0, 3}, {"A", "T1", "T2", "B", "C"});
    map.SetCityKind(1, false);
    map.SetCityKind(2, false);
    const TReferenceResult result = SolveReference(map);
    EXPECT_EQ(result.RouteIds, Ids({0, 1, 2, 3}));
    EXPECT_DOUBLE_EQ(result.Length, 2 * std::hypot(10, 1) + 10);
    ExpectSolverAccepts(map, result);
}

TEST(ReferenceExact, StarNeedsItsCentreTwice) {
    // Leaves 1, 2, 3 of a star around 0 at distances 10, 20, 30: the order of
    // 2 is free between the fixed ends 1 and 3, the centre is passed twice.
    TTSPMap map;
    BuildMap(map, {{0, 0}, {10, 0}, {0, 20}, {-30, 0}}, {{0, 1}, {0, 2}, {0, 3}}, {1, 2, 3});
    const TReferenceResult result = SolveReference(map);
    EXPECT_EQ(result.RouteIds, Ids({1, 0, 2, 0, 3}));
    EXPECT_DOUBLE_EQ(result.Length, 10 + 20 + 20 + 30);
    ExpectSolverAccepts(map, result);
}

TEST(ReferenceExact, RoundTripAndRepeatedCitiesCountOnce) {
    // Selection A B C B A on a path A - B - C - D: visit B and C, back to A.
    TTSPMap map;
    solver_test::PathMap(map, 4, {0, 1, 2, 1, 0});
    TReferenceResult result = SolveReference(map);
    EXPECT_EQ(result.RouteIds, Ids({0, 1, 2, 1, 0}));
    EXPECT_DOUBLE_EQ(result.Length, 40);
    ExpectSolverAccepts(map, result);

    // Only the start, twice: the route is that one city.
    solver_test::PathMap(map, 4, {2, 2});
    result = SolveReference(map);
    EXPECT_EQ(result.RouteIds, Ids({2}));
    EXPECT_EQ(result.Length, 0);
    EXPECT_TRUE(result.Exact);
}

TEST(ReferenceExact, RefusesWhatTheSolverRefuses) {
    TTSPMap map;
    solver_test::PathMap(map, 4, {1});
    EXPECT_THROW(
        {
            try {
                SolveReference(map);
            } catch (const ETSPError& error) {
                EXPECT_STREQ(error.what(), "Выделеных городов должно быть более двух");
                throw;
            }
        },
        ETSPError);
    // One-way roads that lead away from the last city only.
    OneWayMap(map, {{0, 0}, {10, 0}, {20, 0}, {30, 0}}, {{1, 0}, {2, 1}, {3, 2}}, {0, 3});
    EXPECT_THROW(TReferenceTask::FromMap(map), ETSPError);
}

TEST(ReferenceExact, TwentyCitiesStayExactAndBeyondThatTheHeuristicTakesOver) {
    TTSPMap map;
    solver_test::RandomSolvableMap(map, 3, 40, 40, 20);
    EXPECT_TRUE(SolveReference(map).Exact);
    solver_test::RandomSolvableMap(map, 3, 40, 40, 21);
    EXPECT_FALSE(SolveReference(map).Exact);
    // Forced exact beyond the memory bound: refused before any allocation,
    // the heuristic answers.
    solver_test::RandomSolvableMap(map, 3, 40, 40, 26);
    TReferenceOptions options;
    options.Method = TReferenceMethod::Exact;
    EXPECT_FALSE(SolveReference(map, options).Exact);
}
