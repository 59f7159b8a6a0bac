#include "MapTestMaps.h"

#include "core/TSPErrors.h"

#include <gtest/gtest.h>

using namespace testmaps;

namespace {

std::vector<int32_t> RoadsOf(const TTSPMap& map, int position) {
    return map.City(position).Roads.Items();
}

} // namespace

TEST(MapModel, DeleteCityRenumbersNodesAndRoads) {
    TTSPMap map = Nodes(5);
    Road(map, 1, 2);
    Road(map, 2, 3);
    Road(map, 3, 4);
    map.DeleteCity(2);

    ASSERT_EQ(map.Count(), 4);
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(map.City(p).ID, p);
    EXPECT_EQ(map.City(2).Name, "3"); // former node 3 is now ID 2
    EXPECT_EQ(map.City(3).Name, "4");
    EXPECT_TRUE(RoadsOf(map, 1).empty()); // its road went to the deleted node
    EXPECT_EQ(RoadsOf(map, 2), std::vector<int32_t>{3});
    EXPECT_EQ(RoadsOf(map, 3), std::vector<int32_t>{2});
}

TEST(MapModel, DeleteCityRenumbersTheSelection) {
    TTSPMap map = Nodes(5);
    map.SelectCity(4);
    map.SelectCity(1);
    map.SelectCity(2);
    map.DeleteCity(1);
    // The nodes formerly 4 and 2 are now 3 and 1.
    EXPECT_EQ(map.SelectedCities().Items(), (std::vector<int32_t>{3, 1}));
    EXPECT_EQ(map.City(3).Name, "4");
    EXPECT_EQ(map.City(1).Name, "2");
}

TEST(MapModel, InsertCityPutsADeletedNodeBackExactly) {
    TTSPMap map = Nodes(5);
    Road(map, 1, 2);
    Road(map, 2, 3);
    Road(map, 3, 4);
    map.AddRoadEntry(2, 2); // a road to itself goes and comes back with the node
    map.SelectCity(4);
    map.SelectCity(2);
    map.SelectCity(0);
    const TDisplayFlags flags;
    const std::string before = map.SaveToBytes(flags);
    const TCity removed = map.City(2);
    const TIntegerArray selection = map.SelectedCities();
    const TIntegerArray roadsOf1 = map.City(1).Roads;
    const TIntegerArray roadsOf3 = map.City(3).Roads;

    map.DeleteCity(2);
    map.InsertCity(2, removed);
    // The neighbours' lists lost their entry and get it back in its place.
    map.SetCityRoads(1, roadsOf1);
    map.SetCityRoads(3, roadsOf3);
    map.SetSelection(selection);
    EXPECT_EQ(map.SaveToBytes(flags), before);
    EXPECT_TRUE(map.IdsArePositions());

    map.InsertCity(map.Count(), removed); // at the end: nothing moves
    EXPECT_EQ(map.City(5).ID, 5);
    EXPECT_EQ(RoadsOf(map, 4), std::vector<int32_t>{3});
    EXPECT_THROW(map.InsertCity(7, removed), ETSPError);
    EXPECT_THROW(map.SetCityRoads(-1, {}), ETSPError);
}

TEST(MapModel, DeleteCityOfAMissingIdLeavesTheMapAlone) {
    TTSPMap map = PathGraph(4);
    map.SelectCity(0);
    map.SelectCity(3);
    map.DeleteCity(17);
    EXPECT_EQ(map.Count(), 4);
    EXPECT_EQ(RoadsOf(map, 1), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(map.SelectedCities().Items(), (std::vector<int32_t>{0, 3}));
}

TEST(MapModel, DeleteCityRenumbersEveryOccurrenceOfARepeatedRoad) {
    TTSPMap map = Nodes(4);
    map.AddRoadEntry(0, 3);
    map.AddRoadEntry(0, 3);
    map.DeleteCity(1);
    EXPECT_EQ(RoadsOf(map, 0), (std::vector<int32_t>{2, 2}));
}

TEST(MapModel, SelectionHasNoRepeats) {
    TTSPMap map = Nodes(4);
    map.SelectCity(2);
    map.SelectCity(2);
    map.UnselectCity(3);
    EXPECT_EQ(map.SelectedCities().Items(), std::vector<int32_t>{2});
    map.UnselectCity(2);
    EXPECT_EQ(map.SelectedCities().Count(), 0);
}

TEST(MapModel, CheckTaskTestsTheSelectionFirst) {
    TTSPMap small = Nodes(2);
    small.SelectCity(0);
    try {
        small.CheckTask();
        FAIL();
    } catch (const ETSPError& error) {
        EXPECT_STREQ(error.what(), "Выделеных городов должно быть более двух");
    }
    small.SelectCity(1);
    try {
        small.CheckTask();
        FAIL();
    } catch (const ETSPError& error) {
        EXPECT_STREQ(error.what(), "Для решения необходимо создать как минимум четыре города");
    }
    TTSPMap map = PathGraph(4);
    map.SelectCity(0);
    map.SelectCity(3);
    EXPECT_NO_THROW(map.CheckTask());
}

TEST(MapModel, CheckTaskRefusesASelectionThatNamesNoNode) {
    TTSPMap map = PathGraph(4);
    map.SetSelection(Ids({0, -1}));
    EXPECT_THROW(map.CheckTask(), ETSPError);
    map.SetSelection(Ids({0, 4}));
    EXPECT_THROW(map.CheckTask(), ETSPError);
}

TEST(MapModel, CheckTaskRefusesCitiesThatCannotReachOneAnother) {
    TTSPMap map = PathGraph(3);
    TCity island;
    island.ID = 3;
    island.Name = "Остров";
    map.AddCity(island);
    map.SetSelection(Ids({0, 3}));
    try {
        map.CheckTask();
        FAIL();
    } catch (const ETSPError& error) {
        EXPECT_NE(std::string(error.what()).find("\"Остров\""), std::string::npos);
    }
}

TEST(MapModel, CheckTaskFollowsOneWayRoads) {
    // 0 -> 1 -> 2 -> 3, one way only.
    TTSPMap map = Nodes(4);
    map.AddRoadEntry(0, 1);
    map.AddRoadEntry(1, 2);
    map.AddRoadEntry(2, 3);
    map.SetSelection(Ids({0, 3}));
    EXPECT_NO_THROW(map.CheckTask());
    map.SetSelection(Ids({3, 0}));
    EXPECT_THROW(map.CheckTask(), ETSPError);
    // Three cities are never reordered: 0 -> 2 -> 3 is enough.
    map.SetSelection(Ids({0, 2, 3}));
    EXPECT_NO_THROW(map.CheckTask());
    // Four: the middle ones 1 and 2 may come in either order, and 2 cannot
    // reach 1.
    map.SetSelection(Ids({0, 1, 2, 3}));
    EXPECT_THROW(map.CheckTask(), ETSPError);
}

TEST(MapModel, AddCityCutsNamesToFiftyCharacters) {
    TTSPMap map;
    TCity city;
    city.Name = std::string(60, 'a');
    map.AddCity(city);
    EXPECT_EQ(map.City(0).Name, std::string(50, 'a'));

    // Cyrillic letters are two bytes in UTF-8: the cut counts characters.
    std::string cyrillic;
    for (int i = 0; i < 60; ++i)
        cyrillic += "ж";
    map.SetCityName(0, cyrillic);
    EXPECT_EQ(map.City(0).Name.size(), 100u);
}

TEST(MapModel, NamesStayOnOneLine) {
    TTSPMap map = Nodes(1);
    map.SetCityName(0, "Новый\r\nГород");
    EXPECT_EQ(map.City(0).Name, "Новый  Город");
}

TEST(MapModel, GetCityReturnsAnIndependentCopy) {
    TTSPMap map = PathGraph(3);
    TCity copy = map.GetCity(1);
    copy.Roads.Add(99);
    copy.Name = "changed";
    EXPECT_EQ(RoadsOf(map, 1), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(map.City(1).Name, "1");
    EXPECT_THROW(map.GetCity(3), ETSPError);
}

TEST(MapModel, IndexOfIdOfAMissingIdIsMinusOne) {
    TTSPMap map = Nodes(3);
    EXPECT_EQ(map.IndexOfID(2), 2);
    EXPECT_EQ(map.IndexOfID(3), -1);
    EXPECT_EQ(map.IndexOfID(-1), -1);

    TTSPMap odd;
    TCity city;
    city.ID = 7;
    odd.AddCity(city);
    odd.AddCity(city);
    EXPECT_EQ(odd.IndexOfID(7), 0);
    EXPECT_EQ(odd.IndexOfID(0), -1);
}

TEST(MapModel, ClearEmptiesEverything) {
    TTSPMap map = PathGraph(4);
    map.SelectCity(1);
    map.BuildDistanceMatrix();
    const auto version = map.Version();
    map.Clear();
    EXPECT_EQ(map.Count(), 0);
    EXPECT_EQ(map.SelectedCities().Count(), 0);
    EXPECT_FALSE(map.MatrixBuilt());
    EXPECT_NE(map.Version(), version);
}
