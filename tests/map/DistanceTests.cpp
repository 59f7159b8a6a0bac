#include "MapTestMaps.h"

#include "core/TSPErrors.h"

#include <gtest/gtest.h>

using namespace testmaps;

TEST(DistanceMatrix, HoldsStraightLineDistances) {
    TTSPMap map = Nodes({{0, 0}, {3, 4}});
    map.BuildDistanceMatrix();
    EXPECT_TRUE(map.MatrixBuilt());
    EXPECT_DOUBLE_EQ(map.GetPath(0, 1), 5.0);
    EXPECT_DOUBLE_EQ(map.GetPath(1, 0), 5.0);
    EXPECT_DOUBLE_EQ(map.GetPath(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(map.CalcPath(0, 1), 5.0);
}

TEST(DistanceMatrix, ChecksItsIndexes) {
    TTSPMap map = Nodes(3);
    map.BuildDistanceMatrix();
    try {
        map.GetPath(3, 0);
        FAIL();
    } catch (const ETSPError& error) {
        EXPECT_STREQ(error.what(), "Неправильный индекс при обращении к TTSPMap.GetPath(Index1) "
                                   "(3). Индекс должен лежать в диапазоне от 0 до 3");
    }
    try {
        map.GetPath(0, -1);
        FAIL();
    } catch (const ETSPError& error) {
        EXPECT_NE(std::string(error.what()).find("GetPath(Index2)"), std::string::npos);
    }
    try {
        map.CalcPath(1, 1);
        FAIL();
    } catch (const ETSPError& error) {
        EXPECT_STREQ(error.what(), "Индекс 1 не должен быть равен индексу 1");
    }
}

TEST(DistanceMatrix, NodesAddedAfterTheBuildAreRefusedNotReadOutside) {
    TTSPMap map = Nodes(3);
    map.BuildDistanceMatrix();
    TCity late;
    late.ID = 3;
    map.AddCity(late);
    EXPECT_THROW(map.GetPath(3, 0), ETSPError);
    EXPECT_THROW(map.GetPath(0, 3), ETSPError);
}

TEST(DistanceMatrix, TinyMaps) {
    TTSPMap one = Nodes(1);
    one.BuildDistanceMatrix();
    EXPECT_TRUE(one.MatrixBuilt());
    EXPECT_EQ(one.GetPath(0, 0), 0.0);

    TTSPMap none;
    none.BuildDistanceMatrix();
    EXPECT_TRUE(none.MatrixBuilt());
    EXPECT_EQ(none.MatrixSize(), 0);
}

TEST(DistanceMatrix, ClearResetsTheFlag) {
    TTSPMap map = Nodes(2);
    map.BuildDistanceMatrix();
    map.Clear();
    EXPECT_FALSE(map.MatrixBuilt());
}
