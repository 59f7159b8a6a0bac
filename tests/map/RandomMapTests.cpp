#include "map/RandomMap.h"

#include "core/TSPErrors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

struct Generated {
    TTSPMap map;
    TDisplayFlags flags;
};

Generated Generate(TRandomMapSettings settings, uint32_t seed = 7) {
    Generated result;
    result.flags.ShowPath = true;
    GenerateRandomMap(result.map, settings, result.flags, seed);
    return result;
}

int64_t RoadEntries(const TTSPMap& map) {
    int64_t entries = 0;
    for (const TCity& city : map.Cities())
        entries += city.Roads.Count();
    return entries;
}

TRandomMapSettings Settings(int n, int p, bool ring = false) {
    TRandomMapSettings settings;
    settings.Count = n;
    settings.RoadShare = p;
    settings.Ring = ring;
    return settings;
}

} // namespace

TEST(RandomMap, RoadCountFollowsTheFormula) {
    EXPECT_EQ(RandomMapRoadCount(Settings(25, 75)), 234);
    EXPECT_EQ(RandomMapRoadCount(Settings(2, 75)), 1);
    EXPECT_EQ(RandomMapRoadCount(Settings(3, 75)), 3);
    EXPECT_EQ(RandomMapRoadCount(Settings(1, 75)), 0);
    EXPECT_EQ(RandomMapRoadCount(Settings(0, 75)), 0);
    // More than the 300 distinct pairs would never finish: limited to them.
    EXPECT_EQ(RandomMapRoadCount(Settings(25, 97)), 300);
    EXPECT_EQ(RandomMapRoadCount(Settings(25, 100)), 300);
}

TEST(RandomMap, DefaultMapHasTheRoadsOfTheFormulaEachBothWays) {
    Generated g = Generate(Settings(25, 75));
    ASSERT_EQ(g.map.Count(), 25);
    EXPECT_EQ(RoadEntries(g.map), 2 * 234);
    std::set<std::pair<int, int>> pairs;
    for (const TCity& city : g.map.Cities()) {
        EXPECT_TRUE(city.ThisCity);
        EXPECT_EQ(city.Name, std::to_string(city.ID));
        EXPECT_GE(city.X, 0);
        EXPECT_LT(city.X, 767);
        EXPECT_LT(city.Y, 446);
        for (int32_t to : city.Roads) {
            EXPECT_NE(to, city.ID);
            EXPECT_TRUE(g.map.HasRoad(to, city.ID));
            EXPECT_TRUE(pairs.emplace(city.ID, to).second) << "road listed twice";
        }
    }
}

TEST(RandomMap, SmallCounts) {
    Generated two = Generate(Settings(2, 75));
    EXPECT_TRUE(two.map.HasRoad(0, 1));
    EXPECT_TRUE(two.map.HasRoad(1, 0));
    Generated three = Generate(Settings(3, 75));
    EXPECT_EQ(RoadEntries(three.map), 6);
    EXPECT_EQ(Generate(Settings(0, 75)).map.Count(), 0);
    Generated one = Generate(Settings(1, 75));
    EXPECT_EQ(one.map.Count(), 1);
    EXPECT_EQ(RoadEntries(one.map), 0);
}

TEST(RandomMap, FullShareJoinsEveryPairAndEnds) {
    Generated g = Generate(Settings(30, 100));
    EXPECT_EQ(RoadEntries(g.map), 30 * 29);
}

TEST(RandomMap, RingMapsLieInTheirRing) {
    TRandomMapSettings settings = Settings(200, 10, true);
    Generated g = Generate(settings);
    const double radius = std::min(767, 446) / 2 - 10;
    for (const TCity& city : g.map.Cities()) {
        EXPECT_EQ(city.X, std::trunc(city.X));
        EXPECT_EQ(city.Y, std::trunc(city.Y));
        const double r = std::hypot(city.X - 767 / 2, city.Y - 446 / 2);
        EXPECT_GE(r, radius - 15 - 1.5);
        EXPECT_LE(r, radius + 14 + 1.5);
    }
}

TEST(RandomMap, TransitPointsComeFirst) {
    TRandomMapSettings settings = Settings(10, 50);
    settings.TransitShare = 30;
    Generated g = Generate(settings);
    for (int p = 0; p < 10; ++p)
        EXPECT_EQ(g.map.City(p).ThisCity, p >= 3);
}

TEST(RandomMap, ReplacesTheMapAndHidesTheRoute) {
    Generated g;
    TCity old;
    g.map.AddCity(old);
    g.map.SelectCity(0);
    g.map.BuildDistanceMatrix();
    g.flags.ShowPath = true;
    GenerateRandomMap(g.map, Settings(5, 50), g.flags, 1);
    EXPECT_EQ(g.map.Count(), 5);
    EXPECT_EQ(g.map.SelectedCities().Count(), 0);
    EXPECT_FALSE(g.map.MatrixBuilt());
    EXPECT_FALSE(g.flags.ShowPath);
}

TEST(RandomMap, TheSameSeedGivesTheSameMap) {
    Generated a = Generate(Settings(40, 30, true), 12345);
    Generated b = Generate(Settings(40, 30, true), 12345);
    Generated c = Generate(Settings(40, 30, true), 12346);
    TDisplayFlags flags;
    EXPECT_EQ(a.map.SaveToBytes(flags), b.map.SaveToBytes(flags));
    EXPECT_NE(a.map.SaveToBytes(flags), c.map.SaveToBytes(flags));
}

TEST(RandomMap, RefusesMapsTooLargeToHold) {
    TTSPMap map;
    TDisplayFlags flags;
    EXPECT_THROW(GenerateRandomMap(map, Settings(32767, 100), flags, 1), ETSPError);
    EXPECT_THROW(GenerateRandomMap(map, Settings(40000, 1), flags, 1), ETSPError);
    EXPECT_THROW(GenerateRandomMap(map, Settings(-1, 1), flags, 1), ETSPError);
    EXPECT_THROW(GenerateRandomMap(map, Settings(10, 101), flags, 1), ETSPError);
}
