#include "ProfilerTestSupport.h"

#include "core/RandomUnit.h"
#include "core/TSPErrors.h"
#include "core/TextEncoding.h"
#include "profiler/ProfilerReport.h"
#include "profiler/ProfilerView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <ctime>

using namespace profiler;
using namespace profiler_test;

namespace {

std::chrono::system_clock::time_point LocalTime(int year, int month, int day, int hour, int minute,
                                                int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

TProfileReportInfo Info() {
    return {"C:\\Трасолан\\", "Trasolan.exe", LocalTime(2024, 3, 5, 7, 8, 9),
            LocalTime(2024, 3, 5, 17, 48, 59)};
}

std::string Blocks(int count) {
    std::string blocks;
    for (int i = 0; i < count; ++i)
        blocks += "&#9608;";
    return blocks;
}

// The colour the report draws for its next chart line: blue, green, red.
std::string NextReportColour() {
    const int blue = Rnd(255);
    const int green = Rnd(255);
    const int red = Rnd(255);
    char text[16];
    std::snprintf(text, sizeof text, "\"#%02X%02X%02X\"", red, green, blue);
    return text;
}

// Line numbers (from 0) of the report's parts for n sections.
constexpr size_t kFirstRowLine = 20;
size_t InfoLine(size_t n) {
    return kFirstRowLine + 9 * n + 1;
}
size_t ChartLine(size_t n) {
    return InfoLine(n) + 5;
}

TProfilerList ThreeSections() {
    return {Section(1, "Поиск", 50, 4, 10, 20, 50), Section(2, "", 30, 4, 5, 20, 30),
            Section(3, "Mutate", 20, 2, 10, 15, 20)};
}

} // namespace

TEST(ProfileReport, HeadNamesThePageTheProgramAndEveryColumn) {
    const std::vector<std::string> lines =
        SplitCrLf(BuildProfileReportText({Section(1, "A", 5)}, Info()));
    ASSERT_GT(lines.size(), kFirstRowLine + 9);
    const auto lineOf = [&](const std::string& line) {
        return std::find(lines.begin(), lines.begin() + kFirstRowLine, line) - lines.begin();
    };
    EXPECT_EQ(lines.front(), "<html>");
    EXPECT_LT(lineOf("</style>"), lineOf("</head>"));
    EXPECT_LT(lineOf("<title>Результат работы профайлера </title>"), lineOf("</head>"));
    EXPECT_LT(lineOf("</head>"), lineOf("<body><pre>"));
    // Where the times were taken: the program's folder, then its file.
    const auto folder = lineOf("Папка: C:\\Трасолан\\");
    ASSERT_LT(folder + 1, static_cast<long>(kFirstRowLine));
    EXPECT_EQ(lines[static_cast<size_t>(folder) + 1], "Файл: <b>Trasolan.exe</b></p>");
    // The heading row names as many columns as a section's row has cells.
    const std::string& heading = lines[kFirstRowLine - 2];
    size_t headingCells = 0;
    for (size_t at = heading.find("<td>"); at != std::string::npos;
         at = heading.find("<td>", at + 1))
        ++headingCells;
    size_t rowCells = 0;
    for (size_t i = kFirstRowLine + 1; lines[i] != "</tr>"; ++i)
        rowCells += lines[i].find("<td") != std::string::npos;
    EXPECT_EQ(headingCells, 7u);
    EXPECT_EQ(rowCells, headingCells);
}

TEST(ProfileReport, WritesTheWholeReportForThreeSections) {
    SetRandSeed(2024);
    const std::string text = BuildProfileReportText(ThreeSections(), Info());
    SetRandSeed(2024);
    const std::string colour0 = NextReportColour();
    const std::string colour1 = NextReportColour();
    const std::string colour2 = NextReportColour();

    const std::vector<std::string> expected{
        "<tr>", "<td bgcolor=white>0</td>", "  <td bgcolor=white><div align=left>Поиск</div></td>",
        "<td bgcolor=#FFCCCC>10</td>", "<td bgcolor=#FFCCCC>20</td>",
        "<td bgcolor=#FFCCCC>12.500000</td>", "<td bgcolor=#FFCCCC>4</td>",
        "<td bgcolor=#FFCCCC>50</td>", "</tr>", "<tr>", "<td bgcolor=\"#E8E8E8\">1</td>",
        "  <td bgcolor=\"#E8E8E8\">2</td>", "<td bgcolor=white>5</td>",
        "<td bgcolor=#FFCCCC>20</td>", "<td bgcolor=white>7.500000</td>",
        "<td bgcolor=#FFCCCC>4</td>", "<td bgcolor=white>30</td>", "</tr>", "<tr>",
        "<td bgcolor=white>2</td>", "  <td bgcolor=white><div align=left>Mutate</div></td>",
        "<td bgcolor=#FFCCCC>10</td>", "<td bgcolor=white>15</td>",
        "<td bgcolor=white>10.000000</td>", "<td bgcolor=white>2</td>", "<td bgcolor=white>20</td>",
        "</tr>", "</table>", "<b>Info:</b>",
        " &#8594; Период работы: с <i>05.03.2024 7:08:09</i> по <i>05.03.2024 17:48:59</i>",
        " &#8594; Общее время работы блоков: <font color=maroon>100</font>", "",
        "<p class=caption><b>Диаграмма</b></p>",
        // Label width W = 7 ("2. Mutate": 1 digit of k + 1, 6 letters), so
        // every label is padded to 10 characters.
        "0. Поиск  <font color=" + colour0 + ">" + Blocks(50) + "</font> 50%",
        "1. 2      <font color=" + colour1 + ">" + Blocks(30) + "</font> 30%",
        "2. Mutate <font color=" + colour2 + ">" + Blocks(20) + "</font> 20%", ""};
    const std::vector<std::string> lines = SplitCrLf(text);
    ASSERT_EQ(lines.size(), kFirstRowLine + expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[kFirstRowLine + i], expected[i]) << "line " << kFirstRowLine + i + 1;
}

TEST(ProfileReport, EveryLineEndsWithCrLf) {
    const std::string text = BuildProfileReportText(ThreeSections(), Info());
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    size_t lineFeeds = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++lineFeeds;
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], '\r') << "bare line feed at " << i;
        }
    }
    EXPECT_EQ(lineFeeds, SplitCrLf(text).size());
}

TEST(ProfileReport, TiesOfTheLargestValueAreAllMarked) {
    const TProfilerList sections{Section(1, "a", 40, 3, 7, 9, 90), Section(2, "b", 40, 3, 7, 9, 90),
                                 Section(3, "c", 20, 1, 2, 3, 10)};
    const std::vector<std::string> lines = SplitCrLf(BuildProfileReportText(sections, Info()));
    for (size_t k : {0, 1}) {
        const size_t row = kFirstRowLine + 9 * k;
        for (size_t field = 3; field <= 7; ++field)
            EXPECT_EQ(lines[row + field].rfind("<td bgcolor=#FFCCCC>", 0), 0u)
                << "row " << k << " field " << field << ": " << lines[row + field];
    }
    const size_t third = kFirstRowLine + 18;
    for (size_t field = 3; field <= 7; ++field)
        EXPECT_EQ(lines[third + field].rfind("<td bgcolor=white>", 0), 0u) << lines[third + field];
}

TEST(ProfileReport, AnUnnamedSectionShowsItsIdInTableAndChart) {
    SetRandSeed(1);
    const TProfilerList sections{Section(42, "", 10)};
    const std::vector<std::string> lines = SplitCrLf(BuildProfileReportText(sections, Info()));
    EXPECT_EQ(lines[kFirstRowLine + 2], "  <td bgcolor=white>42</td>");
    // W = 2 ("42"), raised to 1 + 2 = 3 for row 0; padded to 6 characters.
    EXPECT_EQ(lines[ChartLine(1)].substr(0, 6), "0. 42 ");
    EXPECT_EQ(lines[ChartLine(1)].substr(6, 12), "<font color=");
}

TEST(ProfileReport, ZeroTotalGivesMaxZeroInPlaceOfTheChartAndDrawsNoColour) {
    const TProfilerList sections{Section(1, "a", 0), Section(2, "b", 0)};
    SetRandSeed(555);
    const std::vector<std::string> lines = SplitCrLf(BuildProfileReportText(sections, Info()));
    EXPECT_EQ(RandSeed(), 555u);
    EXPECT_EQ(lines[InfoLine(2) + 2],
              " &#8594; Общее время работы блоков: <font color=maroon>0</font>");
    ASSERT_EQ(lines.size(), ChartLine(2) + 2);
    EXPECT_EQ(lines[ChartLine(2)], "  Max = 0!");
    EXPECT_EQ(lines[ChartLine(2) + 1], "");
}

TEST(ProfileReport, ChartLinesCarryOneBlockPerPercent) {
    const TProfilerList sections{Section(1, "x", 50), Section(2, "y", 30), Section(3, "z", 20)};
    const std::vector<std::string> lines = SplitCrLf(BuildProfileReportText(sections, Info()));
    const int expected[] = {50, 30, 20};
    for (size_t k = 0; k < 3; ++k) {
        const std::string& line = lines[ChartLine(3) + k];
        size_t blocks = 0;
        for (size_t at = line.find("&#9608;"); at != std::string::npos;
             at = line.find("&#9608;", at + 1))
            ++blocks;
        EXPECT_EQ(blocks, static_cast<size_t>(expected[k]));
        const std::string ending = "</font> " + std::to_string(expected[k]) + "%";
        EXPECT_EQ(line.substr(line.size() - ending.size()), ending);
    }
}

TEST(ProfileReport, PercentagesAreTruncated) {
    const TProfilerList sections{Section(1, "a", 1), Section(2, "b", 2)};
    const std::vector<std::string> lines = SplitCrLf(BuildProfileReportText(sections, Info()));
    EXPECT_NE(lines[ChartLine(2)].find("</font> 33%"), std::string::npos);
    EXPECT_NE(lines[ChartLine(2) + 1].find("</font> 66%"), std::string::npos);
}

TEST(ProfileReport, BytesAreWindows1251) {
    SetRandSeed(10);
    const std::string bytes = BuildProfileReport({Section(1, "Ёлка", 1)}, Info());
    // "Папка: " and "Ёлка" in Windows-1251.
    EXPECT_NE(bytes.find("\xCF\xE0\xEF\xEA\xE0: "), std::string::npos);
    EXPECT_NE(bytes.find("<div align=left>\xA8\xEB\xEA\xE0</div>"), std::string::npos);
    EXPECT_NE(bytes.find("<title>\xD0\xE5\xE7\xF3\xEB\xFC\xF2\xE0\xF2 "), std::string::npos);
    EXPECT_EQ(bytes, [] {
        std::string converted;
        SetRandSeed(10);
        Utf8ToCp1251(BuildProfileReportText({Section(1, "Ёлка", 1)}, Info()), converted);
        return converted;
    }());
}

TEST(ProfileReport, CharactersOutsideWindows1251BecomeQuestionMarks) {
    const std::string bytes = BuildProfileReport({Section(1, "a\u4E2Db", 1)}, Info());
    EXPECT_NE(bytes.find("<div align=left>a?b</div>"), std::string::npos);
}

TEST(ProfileReport, AverageIsFixedWithSixDecimalsAndAPointInAnyLocale) {
    EXPECT_EQ(AverageText(25, 2), "12.500000");
    EXPECT_EQ(AverageText(0, 3), "0.000000");
    EXPECT_EQ(AverageText(10, 3), "3.333333");
    EXPECT_EQ(AverageText(7, 0), "0.000000");
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        EXPECT_EQ(AverageText(25, 2), "12.500000");
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ProfileReport, DateTimeIsDayMonthYearHoursMinutesSeconds) {
    EXPECT_EQ(FormatProfilerDateTime(LocalTime(1999, 12, 31, 23, 59, 58)), "31.12.1999 23:59:58");
    EXPECT_EQ(FormatProfilerDateTime(LocalTime(2025, 1, 2, 3, 4, 5)), "02.01.2025 3:04:05");
}

TEST(ChartLabelWidth, StartsWithTheFirstLabelAndGrowsByDigitsOfKPlusOne) {
    EXPECT_EQ(ChartLabelWidth({}), 0);
    EXPECT_EQ(ChartLabelWidth({Section(1, "abc", 1)}), 4);
    std::vector<TProfiler> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back(Section(i + 1, "ab", 1));
    // Row 9 is the first with two digits in k + 1 = 10.
    EXPECT_EQ(ChartLabelWidth(ten), 4);
    // Labels count characters, not bytes.
    EXPECT_EQ(ChartLabelWidth({Section(1, "Ёжик", 1)}), 5);
}

TEST(ChartLabelWidth, IsHeldInEightBits) {
    // 1 + 300 = 301 wraps to 45; a later, shorter label can raise it again.
    EXPECT_EQ(ChartLabelWidth({Section(1, std::string(300, 'a'), 1)}), 301 - 256);
    EXPECT_EQ(ChartLabelWidth(
                  {Section(1, std::string(300, 'a'), 1), Section(2, std::string(60, 'b'), 1)}),
              61);
    // The long label itself is then written unpadded and untruncated.
    SetRandSeed(3);
    const std::vector<std::string> lines =
        SplitCrLf(BuildProfileReportText({Section(1, std::string(300, 'a'), 1)}, Info()));
    EXPECT_EQ(lines[ChartLine(1)].substr(0, 303), "0. " + std::string(300, 'a'));
    EXPECT_EQ(lines[ChartLine(1)].substr(303, 12), "<font color=");
}

TEST(ProfileReportFile, WritesTheBytesAndOverwritesAnOldReport) {
    const auto folder = ScratchFolder("write");
    const std::string path = ProfileReportPath(WithSeparator(folder));
    EXPECT_EQ(path, WithSeparator(folder) + "Profile.htm");
    {
        std::ofstream old(path, std::ios::binary);
        old << std::string(100000, 'z');
    }
    SetRandSeed(9);
    WriteProfileReport(path, ThreeSections(), Info());
    SetRandSeed(9);
    EXPECT_EQ(ReadBytes(path), BuildProfileReport(ThreeSections(), Info()));
    std::filesystem::remove_all(folder);
}

TEST(ProfileReportFile, UnwritablePathRaisesAFileError) {
    const auto folder = ScratchFolder("missing");
    const std::string path = (folder / "no-such-folder" / "Profile.htm").string();
    EXPECT_THROW(WriteProfileReport(path, ThreeSections(), Info()), EFileError);
    EXPECT_FALSE(std::filesystem::exists(path));
    std::filesystem::remove_all(folder);
}

TEST(ProfileReportFile, PathGetsASeparatorWhenTheFolderLacksOne) {
    EXPECT_EQ(ProfileReportPath("/opt/trasolan"), "/opt/trasolan/Profile.htm");
    EXPECT_EQ(ProfileReportPath("/opt/trasolan/"), "/opt/trasolan/Profile.htm");
    EXPECT_EQ(ProfileReportPath("C:\\Prog\\"), "C:\\Prog\\Profile.htm");
}
