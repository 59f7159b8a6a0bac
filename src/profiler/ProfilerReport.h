#pragma once
// The profiler's HTML report, Profile.htm: Windows-1251 text, every line
// ended by CR LF.

#include "profiler/Profiler.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace profiler {

struct TProfileReportInfo {
    std::string ProgramFolder; // with its trailing separator
    std::string ProgramFileName;
    std::chrono::system_clock::time_point Start;
    std::chrono::system_clock::time_point End;
};

// The report as UTF-8 lines ended by CR LF. Draws one random colour per chart
// line (none when ΣTotal is 0).
std::string BuildProfileReportText(const TProfilerList& sections, const TProfileReportInfo& info);

// The report's bytes: the text in Windows-1251, with "?" for any character
// that code page lacks.
std::string BuildProfileReport(const TProfilerList& sections, const TProfileReportInfo& info);

// Creates or overwrites the file at path with the report; raises EFileError
// when it cannot be written.
void WriteProfileReport(const std::string& path, const TProfilerList& sections,
                        const TProfileReportInfo& info);

// Writes already built report bytes to path, creating or overwriting it;
// raises EFileError when it cannot be written.
void WriteProfileReportBytes(const std::string& path, const std::string& bytes);

// The report's file in a folder: folder + "Profile.htm" (a separator is put
// between them when the folder lacks its trailing one).
std::string ProfileReportPath(const std::string& folder);

// Local date and time in the Russian short date and long time forms,
// "dd.MM.yyyy H:mm:ss" (no leading zero on the hour).
std::string FormatProfilerDateTime(std::chrono::system_clock::time_point time);

// The label column width of the report's chart: starts as the length of the
// first label and is raised, row by row, to digits(k + 1) + label length when
// that is larger. It is kept in 8 bits, as the report has always done, so
// very long labels wrap it round.
uint8_t ChartLabelWidth(const TProfilerList& sections);

// TimeSum / Calls in fixed notation with six decimals and a point,
// whatever the process locale; 0.000000 for no calls.
std::string AverageText(int64_t timeSum, int32_t calls);

} // namespace profiler
