#pragma once
// Helpers of the profiler tests: records, report lines, scratch folders.

#include "core/TextEncoding.h"
#include "profiler/Profiler.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace profiler_test {

inline profiler::TProfiler Section(int32_t id, const std::string& name, int32_t total,
                                   int32_t calls = 1, int64_t minTime = 1, int64_t maxTime = 1,
                                   int64_t timeSum = 1) {
    profiler::TProfiler s;
    s.ID = id;
    s.Name = name;
    s.Total = total;
    s.Calls = calls;
    s.MinTime = minTime;
    s.MaxTime = maxTime;
    s.TimeSum = timeSum;
    return s;
}

// Splits text at CR LF; the text must end with CR LF.
inline std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        const size_t end = text.find("\r\n", from);
        if (end == std::string::npos) {
            lines.push_back(text.substr(from) + "<missing CR LF>");
            break;
        }
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// A fresh, empty folder under the system's temporary folder.
inline std::filesystem::path ScratchFolder(const std::string& name) {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("trasolan-profiler-" + name + "-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline std::string WithSeparator(const std::filesystem::path& folder) {
    return folder.string() + "/";
}

} // namespace profiler_test
