#include "ProfilerTestSupport.h"

#include "core/RandomUnit.h"
#include "profiler/ProfilerView.h"

#include <gtest/gtest.h>

using namespace profiler;
using namespace profiler_test;

TEST(ProfilerView, LabelIsTheNameOrTheId) {
    EXPECT_EQ(SectionLabel(Section(5, "Скрещивание", 1)), "Скрещивание");
    EXPECT_EQ(SectionLabel(Section(17, "", 1)), "17");
}

TEST(ProfilerView, PercentIsTruncatedAndZeroWithoutAnyTotal) {
    EXPECT_EQ(SectionPercent(1, 3), 33);
    EXPECT_EQ(SectionPercent(2, 3), 66);
    EXPECT_EQ(SectionPercent(7, 7), 100);
    EXPECT_EQ(SectionPercent(0, 0), 0);
    EXPECT_EQ(SectionPercent(5, 0), 0);
    // Total * 100 would overflow 32 bits.
    EXPECT_EQ(SectionPercent(2000000000, 4000000000LL), 50);
}

TEST(ProfilerView, TotalSumDoesNotOverflow) {
    const TProfilerList sections{Section(1, "a", 2000000000), Section(2, "b", 2000000000)};
    EXPECT_EQ(TotalSum(sections), 4000000000LL);
    EXPECT_EQ(SectionPercents(sections), (std::vector<int32_t>{50, 50}));
}

TEST(ProfilerView, RowListsLabelTimesCallsTotalAndPercent) {
    const TProfiler s = Section(3, "", 25, 4, 2, 11, 25123);
    const auto row = ProfilerRowTexts(s, 100);
    EXPECT_EQ(row[0], "3");
    EXPECT_EQ(row[1], "2");
    EXPECT_EQ(row[2], "11");
    EXPECT_EQ(row[3], "25123");
    EXPECT_EQ(row[4], "4");
    EXPECT_EQ(row[5], "25");
    EXPECT_EQ(row[6], "25");
    EXPECT_EQ(ProfilerRowTexts(s, 0)[6], "0");
}

TEST(ProfilerView, ColumnsAreInTheWindowsOrder) {
    const auto& columns = ProfilerColumns();
    EXPECT_STREQ(columns[0].Caption, "Секция");
    EXPECT_EQ(columns[0].Width, 150);
    EXPECT_STREQ(columns[3].Caption, "Средн время");
    EXPECT_STREQ(columns[5].Caption, "Общее время");
    EXPECT_EQ(columns[5].Width, 85);
    EXPECT_STREQ(columns[6].Caption, "%");
    EXPECT_EQ(columns[6].Width, 35);
}

TEST(ProfilerView, HintShowsLabelAndShare) {
    EXPECT_EQ(ProfilerHintText(Section(9, "", 30), 120), "9\r\nИспользует: 25% от общего времени");
    EXPECT_EQ(ProfilerHintText(Section(9, "Run", 0), 0), "Run\r\nИспользует: 0% от общего времени");
}

TEST(ProfilerView, BarGeometry) {
    EXPECT_EQ(ProfilerChartWidth(4), 120);
    EXPECT_EQ(ProfilerBarHeight(50, 181), 90);
    const TBarRect bar = ProfilerBarRect(2, 50, 181);
    EXPECT_EQ(bar.Left, 65);
    EXPECT_EQ(bar.Right, 90);
    EXPECT_EQ(bar.Top, 91);
    EXPECT_EQ(bar.Bottom, 181);
}

TEST(ProfilerView, HitTestFindsTheBarUnderThePointer) {
    const std::vector<int32_t> percents{50, 30, 20};
    const int h = 200; // bars 100, 60 and 40 pixels high
    // Section 0: x 5..29, y 101..199.
    EXPECT_EQ(ProfilerHitTest(percents, h, 5, 150), 0);
    EXPECT_EQ(ProfilerHitTest(percents, h, 29, 101), 0);
    EXPECT_EQ(ProfilerHitTest(percents, h, 29, 199), 0);
    EXPECT_EQ(ProfilerHitTest(percents, h, 4, 150), -1);  // left margin
    EXPECT_EQ(ProfilerHitTest(percents, h, 30, 150), -1); // gap before bar 1
    EXPECT_EQ(ProfilerHitTest(percents, h, 20, 100), -1); // top edge itself
    EXPECT_EQ(ProfilerHitTest(percents, h, 20, 200), -1); // bottom edge itself
    // Section 1: x 35..59, y 141..199; section 2: x 65..89, y 161..199.
    EXPECT_EQ(ProfilerHitTest(percents, h, 35, 141), 1);
    EXPECT_EQ(ProfilerHitTest(percents, h, 35, 140), -1);
    EXPECT_EQ(ProfilerHitTest(percents, h, 89, 161), 2);
    EXPECT_EQ(ProfilerHitTest(percents, h, 90, 180), -1); // past the last bar
    EXPECT_EQ(ProfilerHitTest(percents, h, -3, -3), -1);
}

TEST(ProfilerView, ZeroHeightBarsAreNeverHit) {
    EXPECT_EQ(ProfilerHitTest({0, 100}, 50, 10, 49), -1);
    EXPECT_EQ(ProfilerHitTest({0, 100}, 50, 40, 49), 1);
    EXPECT_EQ(ProfilerHitTest({}, 50, 10, 10), -1);
}

TEST(ProfilerView, WindowColoursDrawRedGreenBlue) {
    SetRandSeed(77);
    const int red = Rnd(255);
    const int green = Rnd(255);
    const int blue = Rnd(255);
    SetRandSeed(77);
    const TProfilerColour colour = DrawWindowBarColour();
    EXPECT_EQ(colour, (TProfilerColour{uint8_t(red), uint8_t(green), uint8_t(blue)}));
}

TEST(ProfilerView, ReportColoursDrawBlueGreenRed) {
    SetRandSeed(77);
    const int blue = Rnd(255);
    const int green = Rnd(255);
    const int red = Rnd(255);
    SetRandSeed(77);
    const TProfilerColour colour = DrawReportBarColour();
    EXPECT_EQ(colour, (TProfilerColour{uint8_t(red), uint8_t(green), uint8_t(blue)}));
}

TEST(ProfilerView, ColourAttributeIsQuotedUpperCaseHex) {
    EXPECT_EQ(ColourAttribute({0xE8, 0xE8, 0xE8}), "\"#E8E8E8\"");
    EXPECT_EQ(ColourAttribute({0x01, 0xAB, 0x00}), "\"#01AB00\"");
    EXPECT_EQ(ColourAttribute({0xFE, 0x0C, 0x9F}), "\"#FE0C9F\"");
}
