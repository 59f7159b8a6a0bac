#pragma once
// What the profiler window and the report compute from the records: labels,
// percentages, the window's rows and hint, the chart's bars and hit test, the
// random colours and their HTML form. Pure functions, no drawing.

#include "profiler/Profiler.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace profiler {

// The section's name, or its ID in decimal when the name is empty.
std::string SectionLabel(const TProfiler& section);

// ΣTotal: the sum of Total over all sections (64-bit, so it cannot overflow).
int64_t TotalSum(const TProfilerList& sections);

// p = trunc(Total * 100 / ΣTotal), computed in 64 bits; 0 when ΣTotal is 0.
int32_t SectionPercent(int32_t total, int64_t totalSum);

// One list row of the window: label, MinTime, MaxTime, TimeSum, Calls, Total
// and p, each in shortest decimal text. The column "Средн время" lists
// TimeSum itself, as the window always has.
std::array<std::string, 7> ProfilerRowTexts(const TProfiler& section, int64_t totalSum);

// The window's column headings and widths, in order.
struct TProfilerColumn {
    const char* Caption;
    int Width;
};
const std::array<TProfilerColumn, 7>& ProfilerColumns();

// The chart hint: label, CR LF, "Использует: ", p, "% от общего времени".
std::string ProfilerHintText(const TProfiler& section, int64_t totalSum);

// Chart geometry: bars 25 pixels wide at a 30-pixel pitch, 5 pixels in; a
// bar's height G = trunc(p * h / 100) for an image of client height h.
inline constexpr int kBarPitch = 30;
inline constexpr int kBarOffset = 5;
int ProfilerChartWidth(int sectionCount);
int ProfilerBarHeight(int32_t percent, int imageHeight);

// The bar of section k: from (Left, Top) to (Right, Bottom), as the window
// draws it: (5 + 30k, h - G) to (30 + 30k, h).
struct TBarRect {
    int Left;
    int Top;
    int Right;
    int Bottom;
};
TBarRect ProfilerBarRect(int k, int32_t percent, int imageHeight);

// The section under the pointer (x, y) on the chart image, or -1. Section k is
// hit when 30k + 5 <= x < 30k + 30 and h - G < y < h for its bar; percents
// holds p for every section in list order.
int ProfilerHitTest(const std::vector<int32_t>& percents, int imageHeight, int x, int y);

// The percentages of all sections, in list order.
std::vector<int32_t> SectionPercents(const TProfilerList& sections);

struct TProfilerColour {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    bool operator==(const TProfilerColour&) const = default;
};

// A bar's random fill colour in the window: red, green and blue each
// Rnd(255), drawn in that order.
TProfilerColour DrawWindowBarColour();

// A chart line's random colour in the report: each Rnd(255), drawn blue
// first, then green, then red.
TProfilerColour DrawReportBarColour();

// The HTML colour attribute value: "\"#RRGGBB\"" with upper-case digits.
std::string ColourAttribute(TProfilerColour colour);

} // namespace profiler
