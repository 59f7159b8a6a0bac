#include "profiler/ProfilerReport.h"

#include "core/TSPErrors.h"
#include "core/TextEncoding.h"
#include "profiler/ProfilerView.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <fstream>

namespace profiler {

namespace {

constexpr const char* kLineEnd = "\r\n";

// The page's fixed head, lines 1 to 13.
constexpr const char* kHeadLines[] = {
    "<html>",
    "<!-- Результаты работы профайлера -->",
    "<style type=\"text/css\">",
    "P.caption { font-size: 80%; font-family: Verdana, Arial, sans-serif; color: Navy; "
    "text-align: Center}",
    "hr {color: black}",
    "table, td {font-size: 90%;font-family: Verdana, Arial, sans-serif;border-width: 1px; "
    "border-style: solid; border-color: black; text-align: Center;}",
    ".line { border-bottom: dotted 1px red }",
    "BODY { margin: 0px; padding: 0px; margin-top: 10px; font-size: 90% }",
    "</style>",
    "<title>Результат работы профайлера </title>",
    "</head>",
    "<body><pre>",
    "<p class=caption><b>Результат работы профайлера </b>",
};

constexpr const char* kTableHeading =
    "<td><b>ID</b></td> <td><b>Секция      </b></td> <td><b>Мин время   </td> <td><b>Макс "
    "время  </td><td><b>Средн время </td><td><b>Вызовов     </td><td><b>Общее время </b></td>";

constexpr const char* kMarkedCell = "bgcolor=#FFCCCC";
constexpr const char* kPlainCell = "bgcolor=white";
constexpr TProfilerColour kOddRowColour{0xE8, 0xE8, 0xE8};
constexpr const char* kBlock = "&#9608;";

// The largest value of each field that the table marks.
struct FieldMaxima {
    int64_t MinTime = 0;
    int64_t MaxTime = 0;
    int64_t TimeSum = 0;
    int64_t Calls = 0;
    int64_t Total = 0;
};

FieldMaxima MaximaOf(const TProfilerList& sections) {
    FieldMaxima maxima;
    bool first = true;
    for (const TProfiler& s : sections) {
        if (first) {
            maxima = {s.MinTime, s.MaxTime, s.TimeSum, s.Calls, s.Total};
            first = false;
            continue;
        }
        maxima.MinTime = std::max(maxima.MinTime, s.MinTime);
        maxima.MaxTime = std::max(maxima.MaxTime, s.MaxTime);
        maxima.TimeSum = std::max(maxima.TimeSum, s.TimeSum);
        maxima.Calls = std::max<int64_t>(maxima.Calls, s.Calls);
        maxima.Total = std::max<int64_t>(maxima.Total, s.Total);
    }
    return maxima;
}

// A value cell, marked when the value is its field's largest (ties all marked).
std::string ValueCell(int64_t value, int64_t largest, const std::string& text) {
    return std::string("<td ") + (value == largest ? kMarkedCell : kPlainCell) + ">" + text +
           "</td>";
}

int DecimalDigits(int64_t value) {
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

void AppendLine(std::string& text, const std::string& line) {
    text += line;
    text += kLineEnd;
}

void AppendSectionRows(std::string& text, const TProfilerList& sections) {
    const FieldMaxima maxima = MaximaOf(sections);
    for (size_t k = 0; k < sections.size(); ++k) {
        const TProfiler& s = sections[k];
        const std::string zebra =
            k % 2 == 0 ? std::string(kPlainCell) : "bgcolor=" + ColourAttribute(kOddRowColour);
        AppendLine(text, "<tr>");
        AppendLine(text, "<td " + zebra + ">" + std::to_string(k) + "</td>");
        if (!s.Name.empty())
            AppendLine(text, "  <td " + zebra + "><div align=left>" + s.Name + "</div></td>");
        else
            AppendLine(text, "  <td " + zebra + ">" + std::to_string(s.ID) + "</td>");
        AppendLine(text, ValueCell(s.MinTime, maxima.MinTime, std::to_string(s.MinTime)));
        AppendLine(text, ValueCell(s.MaxTime, maxima.MaxTime, std::to_string(s.MaxTime)));
        AppendLine(text, ValueCell(s.TimeSum, maxima.TimeSum, AverageText(s.TimeSum, s.Calls)));
        AppendLine(text, ValueCell(s.Calls, maxima.Calls, std::to_string(s.Calls)));
        AppendLine(text, ValueCell(s.Total, maxima.Total, std::to_string(s.Total)));
        AppendLine(text, "</tr>");
    }
}

void AppendChart(std::string& text, const TProfilerList& sections, int64_t totalSum) {
    if (totalSum == 0) {
        AppendLine(text, "  Max = 0!");
        return;
    }
    const size_t width = static_cast<size_t>(ChartLabelWidth(sections)) + 3;
    for (size_t k = 0; k < sections.size(); ++k) {
        std::string line = std::to_string(k) + ". " + SectionLabel(sections[k]);
        const size_t length = Utf8Length(line);
        if (length < width)
            line.append(width - length, ' ');
        const int32_t percent = SectionPercent(sections[k].Total, totalSum);
        line += "<font color=" + ColourAttribute(DrawReportBarColour()) + ">";
        for (int32_t i = 0; i < percent; ++i)
            line += kBlock;
        line += "</font> " + std::to_string(percent) + "%";
        AppendLine(text, line);
    }
}

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

// Windows-1251, with "?" for each character the code page lacks (as the
// system's own conversion does), so no character silently disappears.
std::string ToCp1251(const std::string& utf8) {
    std::string bytes;
    if (Utf8ToCp1251(utf8, bytes))
        return bytes;
    bytes.clear();
    for (size_t i = 0; i < utf8.size();) {
        const size_t length =
            std::min(SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        std::string one;
        if (Utf8ToCp1251(std::string_view(utf8).substr(i, length), one) && !one.empty())
            bytes += one;
        else
            bytes += '?';
        i += length;
    }
    return bytes;
}

} // namespace

uint8_t ChartLabelWidth(const TProfilerList& sections) {
    if (sections.empty())
        return 0;
    uint8_t width = static_cast<uint8_t>(Utf8Length(SectionLabel(sections.front())));
    for (size_t k = 0; k < sections.size(); ++k) {
        const size_t wanted = static_cast<size_t>(DecimalDigits(static_cast<int64_t>(k) + 1)) +
                              Utf8Length(SectionLabel(sections[k]));
        if (wanted > width)
            width = static_cast<uint8_t>(wanted);
    }
    return width;
}

std::string AverageText(int64_t timeSum, int32_t calls) {
    const double average = calls > 0 ? static_cast<double>(timeSum) / calls : 0.0;
    // to_chars ignores the process locale, which the user interface may have
    // set to one with a decimal comma.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, average, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string FormatProfilerDateTime(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char text[80];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %d:%02d:%02d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string ProfileReportPath(const std::string& folder) {
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\')
        return folder + "Profile.htm";
    return folder + "/Profile.htm";
}

std::string BuildProfileReportText(const TProfilerList& sections, const TProfileReportInfo& info) {
    std::string text;
    for (const char* line : kHeadLines)
        AppendLine(text, line);
    AppendLine(text, "Папка: " + info.ProgramFolder);
    AppendLine(text, "Файл: <b>" + info.ProgramFileName + "</b></p>");
    AppendLine(text, "<hr noshade>");
    AppendLine(text, "<table border=0 cellpadding=5 cellspacing=0 align=center>");
    AppendLine(text, "<tr>");
    AppendLine(text, kTableHeading);
    AppendLine(text, "<tr>");
    AppendSectionRows(text, sections);
    AppendLine(text, "</table>");
    AppendLine(text, "<b>Info:</b>");
    AppendLine(text, " &#8594; Период работы: с <i>" + FormatProfilerDateTime(info.Start) +
                         "</i> по <i>" + FormatProfilerDateTime(info.End) + "</i>");
    const int64_t totalSum = TotalSum(sections);
    AppendLine(text, " &#8594; Общее время работы блоков: <font color=maroon>" +
                         std::to_string(totalSum) + "</font>");
    AppendLine(text, "");
    AppendLine(text, "<p class=caption><b>Диаграмма</b></p>");
    AppendChart(text, sections, totalSum);
    AppendLine(text, "");
    return text;
}

std::string BuildProfileReport(const TProfilerList& sections, const TProfileReportInfo& info) {
    return ToCp1251(BuildProfileReportText(sections, info));
}

void WriteProfileReportBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file.is_open())
        throw EFileError("Cannot open file " + path);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (file.fail())
        throw EFileError("Cannot write file " + path);
}

void WriteProfileReport(const std::string& path, const TProfilerList& sections,
                        const TProfileReportInfo& info) {
    // Built first: the random colours are drawn whatever becomes of the file.
    WriteProfileReportBytes(path, BuildProfileReport(sections, info));
}

} // namespace profiler
