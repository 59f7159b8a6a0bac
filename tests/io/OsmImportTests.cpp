// The import of tests/io/osm/roads.osm (see the comment in it), read as XML
// and as written by libosmium into PBF and bzip2-compressed XML: every format
// must give the same map.

#include "OsmTestSupport.h"

#include "io/ImportError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

using namespace osmtest;

// OSM road nodes of the connected part (ways 1-3), and the towns joined to it.
constexpr int32_t kPartRoadNodes = 18;
constexpr int32_t kPartSegments = 17;

class OsmImportTest : public ::testing::TestWithParam<const char*> {
protected:
    TOsmImportReport Import(const TOsmImportSettings& settings = {}) {
        map_ = TTSPMap();
        return ImportOsmFile(Rewritten("roads.osm", GetParam()), settings, map_);
    }
    TTSPMap map_;
};

TEST_P(OsmImportTest, TownsAreNamedAndJoinedToTheirRoadOnly) {
    const TOsmImportReport report = Import();
    EXPECT_EQ(report.Towns, 2);
    ASSERT_GE(map_.Count(), 2);
    // Towns first, in the order of the file; name:ru before name.
    EXPECT_EQ(map_.City(0).Name, "Звенигород");
    EXPECT_EQ(map_.City(1).Name, "Руза");
    for (int32_t town : {0, 1}) {
        EXPECT_TRUE(map_.City(town).ThisCity);
        ASSERT_EQ(map_.City(town).Roads.Count(), 1);
        const TCity& road = map_.City(map_.City(town).Roads[0]);
        EXPECT_FALSE(road.ThisCity);
        EXPECT_TRUE(road.Roads.Exists(town));
    }
    // Звенигород stands by the crossing: its road node is the junction, with
    // four roads and the town's.
    EXPECT_EQ(map_.City(map_.City(0).Roads[0]).Roads.Count(), 5);
    EXPECT_EQ(CountTransitWithRoads(map_, 5), 1);
    EXPECT_EQ(map_.Count() - 2, CountTransitWithRoads(map_, 1) + CountTransitWithRoads(map_, 2) +
                                    CountTransitWithRoads(map_, 3) + 1);
}

TEST_P(OsmImportTest, TownsFarFromRoadsOrOnCutOffRoadsAreLeftOutAndCounted) {
    const TOsmImportReport report = Import();
    EXPECT_EQ(report.TownsWithoutRoad, 1);  // Одинокий
    EXPECT_EQ(report.TownsOnOtherParts, 1); // Отрезанный, by way 6
    EXPECT_EQ(report.TownsLeftOut(), 2);
    EXPECT_EQ(FindNode(map_, "Одинокий"), -1);
    EXPECT_EQ(FindNode(map_, "Отрезанный"), -1);
    EXPECT_EQ(FindNode(map_, "Хутор"), -1);
    EXPECT_EQ(FindNode(map_, "Дубки"), -1);

    TOsmImportSettings villages;
    villages.Places = {"city", "town", "village"};
    EXPECT_EQ(Import(villages).Towns, 3);
    EXPECT_EQ(FindNode(map_, "Дубки"), 2);
}

TEST_P(OsmImportTest, ZeroToleranceKeepsEveryNodeOfTheConnectedPart) {
    TOsmImportSettings exact;
    exact.Tolerance = 0;
    const TOsmImportReport report = Import(exact);
    // Way 6 (its own part), the footway and the residential street are gone.
    EXPECT_EQ(report.TransitPoints, kPartRoadNodes);
    EXPECT_EQ(report.Roads, kPartSegments + 2);
    EXPECT_DOUBLE_EQ(report.LengthAfter, report.LengthBefore);
    // Ends: nodes 20, 24, 31 (node 1 has Руза's road as well).
    EXPECT_EQ(CountTransitWithRoads(map_, 1), 3);

    TOsmImportSettings minor = exact;
    minor.Highways.push_back("residential");
    EXPECT_EQ(Import(minor).TransitPoints, kPartRoadNodes + 2);
    EXPECT_EQ(CountTransitWithRoads(map_, 3), 1); // node 7, where the street starts
}

TEST_P(OsmImportTest, ThinningKeepsJunctionsAndEndsAndStaysWithinTolerance) {
    TOsmImportSettings exact;
    exact.Tolerance = 0;
    Import(exact);
    const TTSPMap full = map_;
    const TOsmImportReport report = Import();
    EXPECT_LT(report.TransitPoints, kPartRoadNodes);
    EXPECT_EQ(CountTransitWithRoads(map_, 1), 3);
    EXPECT_EQ(CountTransitWithRoads(map_, 5), 1);
    // Both maps are fitted alike, so every node of the full shape lies within
    // the tolerance of the thinned roads.
    for (const TCity& node : full.Cities())
        EXPECT_LE(DistanceToRoads(map_, node.X, node.Y), 2.0 + 1e-9) << node.Name;
    EXPECT_LT(report.LengthAfter, report.LengthBefore);
    EXPECT_GT(report.LengthAfter, report.LengthBefore * 0.99);
    EXPECT_GT(report.WorstRoadShortening, 0.0);
    EXPECT_LT(report.WorstRoadShortening, 0.01);
}

TEST_P(OsmImportTest, OneWayTagsAreIgnored) {
    Import();
    const TTSPMap withTags = map_;
    std::ifstream in(SamplePath("roads.osm"));
    std::stringstream text;
    text << in.rdbuf();
    std::string bytes = text.str();
    const std::string tag = R"(<tag k="oneway" v="yes"/>)";
    ASSERT_NE(bytes.find(tag), std::string::npos);
    bytes.erase(bytes.find(tag), tag.size());
    TTSPMap withoutTags;
    ImportOsmBytes(bytes, "osm", {}, withoutTags);
    ASSERT_EQ(withoutTags.Count(), withTags.Count());
    for (int32_t p = 0; p < withTags.Count(); ++p) {
        EXPECT_EQ(withTags.City(p).Roads.Items(), withoutTags.City(p).Roads.Items());
        for (int32_t to : withTags.City(p).Roads)
            EXPECT_TRUE(withTags.HasRoad(to, p));
    }
}

TEST_P(OsmImportTest, BoundingBoxKeepsThePartsInsideEndingOnItsEdge) {
    TOsmImportSettings boxed;
    boxed.Tolerance = 0;
    // West edge east of Руза; the south edge cuts way 2, the east one way 3.
    boxed.Box = TGeoBox{36.805, 55.68, 36.93, 55.75};
    const TOsmImportReport report = Import(boxed);
    EXPECT_EQ(report.Towns, 1);
    // Towns outside the box are not part of the extract: none is left out.
    EXPECT_EQ(report.TownsLeftOut(), 0);
    EXPECT_EQ(FindNode(map_, "Руза"), -1);
    // Way 1 loses node 1; way 2 nodes 20 and 21 and way 3 node 31 give way to
    // three points on the edges (west, south, east).
    EXPECT_EQ(report.TransitPoints, kPartRoadNodes - 4 + 3);
    double minX = INFINITY, maxX = 0, maxY = 0;
    for (const TCity& node : map_.Cities()) {
        minX = std::min(minX, node.X);
        maxX = std::max(maxX, node.X);
        maxY = std::max(maxY, node.Y);
    }
    int32_t onEdge = 0;
    for (const TCity& node : map_.Cities())
        if (!node.ThisCity && node.Roads.Count() == 1 &&
            (node.X == minX || node.X == maxX || node.Y == maxY))
            ++onEdge;
    EXPECT_EQ(onEdge, 3);
}

TEST_P(OsmImportTest, SelectsTownsInFileOrderOrFromStartToEnd) {
    TOsmImportSettings select;
    select.Places = {"city", "town", "village"};
    select.SelectTowns = true;
    Import(select);
    EXPECT_EQ(map_.SelectedCities().Items(), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_TRUE(map_.CheckTask());

    select.StartName = "дубки";
    select.EndName = "Звенигород";
    Import(select);
    EXPECT_EQ(map_.SelectedCities().Items(), (std::vector<int32_t>{2, 1, 0}));

    select.EndName = "Дубки";
    EXPECT_THROW(Import(select), EImportError);
    select.EndName = "Москва";
    EXPECT_THROW(Import(select), EImportError);
}

std::string FormatName(const ::testing::TestParamInfo<const char*>& suffix) {
    return std::string(suffix.param).empty() ? "xml" : std::string(suffix.param).substr(5);
}

INSTANTIATE_TEST_SUITE_P(Formats, OsmImportTest, ::testing::Values("", ".osm.pbf", ".osm.bz2"),
                         FormatName);

TEST(OsmImportProgress, ReportsRisingPercentagesAndStopsOnCancel) {
    std::vector<int> seen;
    TImportProgress progress;
    progress.Report = [&](int percent) { seen.push_back(percent); };
    TTSPMap map;
    ImportOsmFile(SamplePath("roads.osm"), {}, map, progress);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), 100);

    std::atomic<bool> cancel = false;
    TImportProgress cancelling;
    cancelling.Cancel = &cancel;
    cancelling.Report = [&](int) { cancel = true; };
    TTSPMap kept;
    ImportOsmFile(SamplePath("roads.osm"), {}, kept);
    const int32_t before = kept.Count();
    EXPECT_THROW(ImportOsmFile(SamplePath("roads.osm"), {}, kept, cancelling), EImportCancelled);
    EXPECT_EQ(kept.Count(), before);
}

} // namespace
