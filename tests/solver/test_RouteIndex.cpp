// The road index must answer exactly as the map's plain scans, on every kind of
// map and route, and follow the map when it changes.

#include "solver/RouteIndex.h"

#include "SolverTestMaps.h"
#include "core/TSPErrors.h"

#include <gtest/gtest.h>

#include <random>

using namespace solver_test;
using solver::TRouteIndex;

namespace {

// Outcome of a check: its answer, or that it raised.
enum class Outcome { False, True, Raised };

template <typename F> Outcome Try(F&& check) {
    try {
        return check() ? Outcome::True : Outcome::False;
    } catch (const EIntArrayError&) {
        return Outcome::Raised;
    }
}

// Routes of every sort: valid ones, valid ones disturbed, random ID soup with
// IDs that name no node, short and empty ones.
std::vector<TIntegerArray> SampleRoutes(const TTSPMap& map, std::mt19937& random, int count) {
    std::vector<TIntegerArray> routes;
    const int32_t n = map.Count();
    // Random valid routes exist only for a task that can be solved.
    bool solvable = true;
    try {
        map.CheckTask();
    } catch (const ETSPError&) {
        solvable = false;
    }
    std::uniform_int_distribution<int32_t> node(-2, n + 1);
    for (int i = 0; i < count; ++i) {
        TIntegerArray route;
        switch (i % 5) {
        case 0:
        case 1: {
            if (solvable)
                map.RandomRoute(route);
            // Disturb some: swap two genes, drop one, or change one.
            if (i % 5 == 1 && route.Count() > 2) {
                const int32_t a = static_cast<int32_t>(random() % route.Count());
                const int32_t b = static_cast<int32_t>(random() % route.Count());
                switch (random() % 3) {
                case 0:
                    std::swap(route[a], route[b]);
                    break;
                case 1:
                    route.Delete(a);
                    break;
                default:
                    route[a] = node(random);
                }
            }
            break;
        }
        case 2: {
            const int32_t length = static_cast<int32_t>(random() % 12);
            for (int32_t k = 0; k < length; ++k)
                route.Add(node(random));
            break;
        }
        case 3: {
            // Starts and ends right, random walk-ish middle along roads.
            const TIntegerArray& selected = map.SelectedCities();
            if (selected.Count() == 0)
                break;
            int32_t at = selected[0];
            route.Add(at);
            for (int k = 0; k < 8 && at >= 0 && at < n && map.City(at).Roads.Count() > 0; ++k) {
                const TIntegerArray& roads = map.City(at).Roads;
                at = roads[static_cast<int32_t>(random() % roads.Count())];
                route.Add(at);
            }
            route.Add(selected[selected.Count() - 1]);
            break;
        }
        default:
            // Every selected city once, in order (valid only with roads between).
            for (int32_t id : map.SelectedCities())
                route.Add(id);
            break;
        }
        routes.push_back(route);
    }
    return routes;
}

void ExpectSameAnswers(const TTSPMap& map, TRouteIndex::TRoadStore store, std::mt19937& random,
                       const std::string& what) {
    TRouteIndex index;
    index.Rebuild(map, store);
    const int32_t n = map.Count();
    for (int32_t a = -2; a < n + 2; ++a)
        for (int32_t b = -2; b < n + 2; ++b)
            ASSERT_EQ(index.HasRoad(a, b), map.HasRoad(a, b)) << what << " road " << a << "->" << b;
    for (const TIntegerArray& route : SampleRoutes(map, random, 200)) {
        ASSERT_EQ(Try([&] { return index.ContainsAllSelected(route); }),
                  Try([&] { return map.ContainsAllSelected(route); }))
            << what;
        ASSERT_EQ(Try([&] { return index.IsValidRoute(route); }),
                  Try([&] { return map.IsValidRoute(route); }))
            << what;
        ASSERT_EQ(Try([&] { return index.IsValidChild(route); }),
                  Try([&] { return map.ContainsAllSelected(route) && map.IsValidRoute(route); }))
            << what;
    }
}

} // namespace

TEST(RouteIndex, AnswersAsThePlainScansOnRandomMaps) {
    std::mt19937 random(12345);
    int maps = 0;
    for (int32_t count : {4, 7, 15, 30, 70}) {
        for (int32_t share : {3, 10, 40, 100}) {
            for (int32_t transit : {0, 30}) {
                TTSPMap map;
                const int32_t selected = std::max(2, count / (share > 20 ? 1 : 4));
                RandomSolvableMap(map, static_cast<uint32_t>(count * 1000 + share * 10 + transit),
                                  count, share, std::min(selected, count), transit);
                SetRandSeed(static_cast<uint32_t>(maps));
                for (auto store : {TRouteIndex::TRoadStore::Automatic,
                                   TRouteIndex::TRoadStore::Dense, TRouteIndex::TRoadStore::Hashed})
                    ExpectSameAnswers(map, store, random,
                                      "map " + std::to_string(count) + "/" + std::to_string(share));
                ++maps;
            }
        }
    }
    EXPECT_EQ(maps, 40);
}

TEST(RouteIndex, AnswersAsThePlainScansOnOddSelectionsAndRoads) {
    std::mt19937 random(99);
    TTSPMap map;
    // A one-way road entry, a road list naming the same node twice, a road
    // to itself, and (below) an entry naming no node.
    PathMap(map, 6, {0, 5});
    map.AddRoadEntry(1, 4);
    map.AddRoadEntry(1, 4);
    map.AddRoadEntry(3, 3);
    for (auto store : {TRouteIndex::TRoadStore::Dense, TRouteIndex::TRoadStore::Hashed})
        ExpectSameAnswers(map, store, random, "one-way");
    EXPECT_TRUE(map.HasRoad(1, 4));
    EXPECT_FALSE(map.HasRoad(4, 1));

    // A road entry that names no node forces the hash set, which takes any pair.
    map.AddRoadEntry(2, 999);
    TRouteIndex index;
    index.Rebuild(map, TRouteIndex::TRoadStore::Dense);
    EXPECT_EQ(index.Store(), TRouteIndex::TRoadStore::Hashed);
    EXPECT_TRUE(index.HasRoad(2, 999));
    ExpectSameAnswers(map, TRouteIndex::TRoadStore::Automatic, random, "entry 999");

    // Selections with a repeated ID, an ID that names no node, one ID, none.
    for (const TIntegerArray& selection :
         {Route({0, 3, 0, 5}), Route({0, 42, 5}), Route({-1, 5}), Route({4}), Route({})}) {
        map.SetSelection(selection);
        for (auto store : {TRouteIndex::TRoadStore::Dense, TRouteIndex::TRoadStore::Hashed})
            ExpectSameAnswers(map, store, random, "selection");
    }
}

TEST(RouteIndex, MapWhoseIdsAreNotPositionsIsAnsweredByTheMap) {
    TTSPMap map;
    for (int32_t i = 0; i < 4; ++i) {
        TCity city;
        city.ID = 10 + i; // as a hand-edited file may have them
        city.X = i;
        map.AddCity(city);
    }
    map.AddRoadEntry(0, 11);
    map.AddRoadEntry(1, 10);
    map.AddRoadEntry(1, 12);
    map.AddRoadEntry(2, 11);
    map.SetSelection(Route({10, 12}));
    ASSERT_FALSE(map.IdsArePositions());
    TRouteIndex index;
    index.Rebuild(map);
    EXPECT_TRUE(index.HasRoad(10, 11));
    EXPECT_FALSE(index.HasRoad(0, 11));
    EXPECT_TRUE(index.IsValidChild(Route({10, 11, 12})));
    EXPECT_FALSE(index.IsValidChild(Route({10, 12})));
    std::mt19937 random(5);
    ExpectSameAnswers(map, TRouteIndex::TRoadStore::Automatic, random, "ids");
}

TEST(RouteIndex, FollowsRoadNodeAndSelectionChanges) {
    TTSPMap map;
    PathMap(map, 5, {0, 4});
    TRouteIndex index;
    index.Refresh(map);
    const TIntegerArray shortcut = Route({0, 2, 4});
    EXPECT_FALSE(index.IsValidChild(shortcut));

    // Roads added (as the editor does during a pause).
    map.AddRoadEntry(0, 2);
    map.AddRoadEntry(2, 0);
    map.AddRoadEntry(2, 4);
    map.AddRoadEntry(4, 2);
    index.Refresh(map);
    EXPECT_TRUE(index.IsValidChild(shortcut));

    // The selection changes without touching the map's version.
    map.SelectCity(3);
    index.Refresh(map);
    EXPECT_FALSE(index.ContainsAllSelected(shortcut));
    EXPECT_TRUE(index.ContainsAllSelected(Route({0, 3, 4})));
    map.UnselectCity(3);
    index.Refresh(map);
    EXPECT_TRUE(index.ContainsAllSelected(shortcut));

    // A deleted node: the survivors are renumbered, roads and selection too.
    map.DeleteCity(1);
    index.Refresh(map);
    std::mt19937 random(1);
    for (int32_t a = -1; a < 6; ++a)
        for (int32_t b = -1; b < 6; ++b)
            EXPECT_EQ(index.HasRoad(a, b), map.HasRoad(a, b));
    EXPECT_EQ(index.IsValidChild(Route({0, 1, 3})), map.IsValidRoute(Route({0, 1, 3})));

    // Another map altogether.
    TTSPMap other;
    CompleteMap(other, 4, {0, 3});
    index.Refresh(other);
    EXPECT_TRUE(index.IsValidChild(Route({0, 1, 2, 3})));
}

TEST(RouteIndex, ManyChecksInARowKeepTheirStampsApart) {
    // Stamps from one check must not count in the next: a route that met every
    // selected city is followed by routes that each miss one.
    TTSPMap map;
    CompleteMap(map, 6, {0, 1, 2, 3, 4, 5});
    TRouteIndex index;
    index.Refresh(map);
    for (int round = 0; round < 1000; ++round) {
        EXPECT_TRUE(index.ContainsAllSelected(Route({0, 1, 2, 3, 4, 5})));
        EXPECT_FALSE(index.ContainsAllSelected(Route({0, 1, 2, 3, 5})));
        EXPECT_FALSE(index.ContainsAllSelected(Route({0, 0, 0, 0, 0, 5})));
        EXPECT_TRUE(index.ContainsAllSelected(Route({5, 4, 3, 2, 1, 0, 0})));
    }
}
