#include "MapTestMaps.h"

#include "core/RandomUnit.h"
#include "core/TSPErrors.h"

#include <gtest/gtest.h>

using namespace testmaps;

namespace {

std::vector<int32_t> Walk(const TTSPMap& map, int a, int b) {
    TIntegerArray path;
    map.RandomWalk(a, b, path);
    return path.Items();
}

} // namespace

TEST(RandomWalk, OnAPathThereIsOneWay) {
    TTSPMap map = PathGraph(4);
    for (uint32_t seed = 0; seed < 50; ++seed) {
        SetRandSeed(seed);
        EXPECT_EQ(Walk(map, 0, 3), (std::vector<int32_t>{0, 1, 2, 3}));
    }
}

TEST(RandomWalk, DeadEndsRestartTheWalk) {
    // A star with centre 0: from leaf 1 to leaf 3 only through the centre.
    TTSPMap map = Nodes(4);
    Road(map, 0, 1);
    Road(map, 0, 2);
    Road(map, 0, 3);
    for (uint32_t seed = 0; seed < 50; ++seed) {
        SetRandSeed(seed);
        EXPECT_EQ(Walk(map, 1, 3), (std::vector<int32_t>{1, 0, 3}));
    }
}

TEST(RandomWalk, FromANodeToItselfIsThatNode) {
    TTSPMap map = PathGraph(3);
    const uint32_t before = RandSeed();
    EXPECT_EQ(Walk(map, 1, 1), std::vector<int32_t>{1});
    EXPECT_EQ(RandSeed(), before);
}

TEST(RandomWalk, GivesUpOnAMazeOfDeadEnds) {
    // A long corridor with a dead end beside every step: reaching its far end
    // by random walking is practically hopeless, and must end in an error
    // rather than a hang.
    TTSPMap map;
    const int length = 80;
    for (int i = 0; i < 2 * length; ++i) {
        TCity city;
        city.ID = i;
        city.Name = std::to_string(i);
        map.AddCity(city);
    }
    for (int i = 0; i + 1 < length; ++i) {
        Road(map, i, i + 1);
        Road(map, i, length + i); // the dead end
    }
    SetRandSeed(1);
    TIntegerArray path;
    EXPECT_THROW(map.RandomWalk(0, length - 1, path), ETSPError);
}

TEST(RandomRoute, VisitsTheSelectionInOrderOnAPath) {
    TTSPMap map = PathGraph(4);
    map.SetSelection(Ids({1, 3}));
    TIntegerArray route;
    map.RandomRoute(route);
    EXPECT_EQ(route.Items(), (std::vector<int32_t>{1, 2, 3}));

    // Three selected cities are never reordered; node 2 is passed twice.
    map.SetSelection(Ids({0, 3, 1}));
    map.RandomRoute(route);
    EXPECT_EQ(route.Items(), (std::vector<int32_t>{0, 1, 2, 3, 2, 1}));
}

TEST(RandomRoute, EveryRouteIsValid) {
    TTSPMap map = Nodes(8);
    for (int i = 0; i < 8; ++i)
        Road(map, i, (i + 1) % 8);
    Road(map, 0, 4);
    map.SetSelection(Ids({0, 5, 2, 7, 3}));
    for (uint32_t seed = 0; seed < 200; ++seed) {
        SetRandSeed(seed);
        TIntegerArray route;
        map.RandomRoute(route);
        EXPECT_TRUE(map.IsValidRoute(route));
        EXPECT_TRUE(map.ContainsAllSelected(route));
    }
}

TEST(RandomRoute, TooFewSelectedCitiesGiveAnEmptyRoute) {
    TTSPMap map = PathGraph(4);
    map.SetSelection(Ids({2}));
    TIntegerArray route{9};
    map.RandomRoute(route);
    EXPECT_EQ(route.Count(), 0);
}

TEST(RouteChecks, IsValidRoute) {
    TTSPMap map = PathGraph(4);
    map.SetSelection(Ids({0, 2, 3}));
    EXPECT_TRUE(map.IsValidRoute(Ids({0, 1, 2, 3})));
    EXPECT_TRUE(map.IsValidRoute(Ids({0, 1, 2, 1, 2, 3})));
    EXPECT_FALSE(map.IsValidRoute(Ids({0, 1, 2}))); // ends at the wrong city
    EXPECT_FALSE(map.IsValidRoute(Ids({0, 2, 3}))); // no road 0-2
    EXPECT_FALSE(map.IsValidRoute(Ids({1, 2, 3}))); // starts at the wrong city
    EXPECT_THROW(map.IsValidRoute(TIntegerArray{}), EIntArrayError);
}

TEST(RouteChecks, HasRoadLooksAtOneDirection) {
    TTSPMap map = Nodes(3);
    map.AddRoadEntry(1, 0); // only 1 lists 0
    EXPECT_TRUE(map.HasRoad(1, 0));
    EXPECT_FALSE(map.HasRoad(0, 1));
    EXPECT_FALSE(map.HasRoad(5, 0));
}

TEST(RouteChecks, ContainsAllSelectedInAnyOrder) {
    TTSPMap map = PathGraph(5);
    map.SetSelection(Ids({0, 3, 4}));
    EXPECT_TRUE(map.ContainsAllSelected(Ids({4, 3, 3, 0})));
    EXPECT_FALSE(map.ContainsAllSelected(Ids({0, 1, 2, 4})));
    map.SetSelection(TIntegerArray{});
    EXPECT_TRUE(map.ContainsAllSelected(TIntegerArray{}));
}
