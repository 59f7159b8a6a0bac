#include "profiler/ProfilerView.h"

#include "core/RandomUnit.h"

#include <cstdio>

namespace profiler {

std::string SectionLabel(const TProfiler& section) {
    return section.Name.empty() ? std::to_string(section.ID) : section.Name;
}

int64_t TotalSum(const TProfilerList& sections) {
    int64_t sum = 0;
    for (const TProfiler& section : sections)
        sum += section.Total;
    return sum;
}

int32_t SectionPercent(int32_t total, int64_t totalSum) {
    // An empty or all-zero profile has no shares; show 0 rather than divide.
    if (totalSum <= 0)
        return 0;
    return static_cast<int32_t>(static_cast<int64_t>(total) * 100 / totalSum);
}

std::array<std::string, 7> ProfilerRowTexts(const TProfiler& section, int64_t totalSum) {
    return {SectionLabel(section),
            std::to_string(section.MinTime),
            std::to_string(section.MaxTime),
            std::to_string(section.TimeSum),
            std::to_string(section.Calls),
            std::to_string(section.Total),
            std::to_string(SectionPercent(section.Total, totalSum))};
}

const std::array<TProfilerColumn, 7>& ProfilerColumns() {
    static const std::array<TProfilerColumn, 7> columns{{{"Секция", 150},
                                                         {"Мин время", 80},
                                                         {"Макс время", 80},
                                                         {"Средн время", 80},
                                                         {"Вызовов", 80},
                                                         {"Общее время", 85},
                                                         {"%", 35}}};
    return columns;
}

std::string ProfilerHintText(const TProfiler& section, int64_t totalSum) {
    return SectionLabel(section) +
           "\r\nИспользует: " + std::to_string(SectionPercent(section.Total, totalSum)) +
           "% от общего времени";
}

int ProfilerChartWidth(int sectionCount) {
    return kBarPitch * sectionCount;
}

int ProfilerBarHeight(int32_t percent, int imageHeight) {
    return static_cast<int>(static_cast<int64_t>(percent) * imageHeight / 100);
}

TBarRect ProfilerBarRect(int k, int32_t percent, int imageHeight) {
    const int g = ProfilerBarHeight(percent, imageHeight);
    return {kBarOffset + kBarPitch * k, imageHeight - g, kBarPitch + kBarPitch * k, imageHeight};
}

int ProfilerHitTest(const std::vector<int32_t>& percents, int imageHeight, int x, int y) {
    for (size_t k = 0; k < percents.size(); ++k) {
        const TBarRect bar = ProfilerBarRect(static_cast<int>(k), percents[k], imageHeight);
        if (x >= bar.Left && x < bar.Right && y > bar.Top && y < bar.Bottom)
            return static_cast<int>(k);
    }
    return -1;
}

std::vector<int32_t> SectionPercents(const TProfilerList& sections) {
    const int64_t sum = TotalSum(sections);
    std::vector<int32_t> percents;
    percents.reserve(sections.size());
    for (const TProfiler& section : sections)
        percents.push_back(SectionPercent(section.Total, sum));
    return percents;
}

TProfilerColour DrawWindowBarColour() {
    TProfilerColour colour;
    colour.Red = static_cast<uint8_t>(Rnd(255));
    colour.Green = static_cast<uint8_t>(Rnd(255));
    colour.Blue = static_cast<uint8_t>(Rnd(255));
    return colour;
}

TProfilerColour DrawReportBarColour() {
    TProfilerColour colour;
    colour.Blue = static_cast<uint8_t>(Rnd(255));
    colour.Green = static_cast<uint8_t>(Rnd(255));
    colour.Red = static_cast<uint8_t>(Rnd(255));
    return colour;
}

std::string ColourAttribute(TProfilerColour colour) {
    char text[16];
    std::snprintf(text, sizeof text, "\"#%02X%02X%02X\"", colour.Red, colour.Green, colour.Blue);
    return text;
}

} // namespace profiler
