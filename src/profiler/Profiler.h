#pragma once
// The developer's profiler: timing statistics for named code sections, read
// by the profiler window (F5) and written to the HTML report Profile.htm when
// the program ends.
//
// Timing: a section's runs are measured with a steady clock in microseconds.
//   MinTime, MaxTime  shortest and longest run, microseconds;
//   TimeSum           sum of all runs, microseconds (64-bit);
//   Total             the same sum in whole milliseconds (TimeSum / 1000,
//                     held at the 32-bit maximum), the basis of percentages;
//   Calls             number of completed runs.
// A section re-entered while it runs (recursion) counts as one run, from the
// outermost start to the outermost end.
//
// The section list and the timing operations belong to the user-interface
// thread, which is the thread the solver runs on.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace profiler {

// One section's record. Name is UTF-8 and may be empty; the section is then
// shown by its ID.
struct TProfiler {
    int32_t ID = 0;
    int32_t Calls = 0;
    int32_t Total = 0;
    int64_t MinTime = 0;
    int64_t MaxTime = 0;
    int64_t TimeSum = 0;
    std::string Name;
};

// Records in the order the sections were created (first started).
using TProfilerList = std::vector<TProfiler>;

// What the program tells the profiler about itself at start-up.
struct TProfilerSetup {
    std::string ProgramFolder;   // shown in the report, with its trailing separator
    std::string ProgramFileName; // shown in the report
    // Where Profile.htm goes when the program's folder cannot be written.
    std::string FallbackFolder;
};

// Program start: remembers the setup and the start time; the list starts
// empty. The F5 key poll is the window's business.
void ProfilerInit(const TProfilerSetup& setup);

// Program end: if at least one section exists, records the end time and
// writes the report (Profile.htm in the program's folder, or in the fallback
// folder when that cannot be written), then frees all records. Returns the
// path written, or an empty string when there was nothing to write. Raises
// EFileError when neither folder can take the report; the records are freed
// all the same.
std::string ProfilerDone();

// The current records (the window reads them).
const TProfilerList& ProfilerSections();

// --- Timing operations -------------------------------------------------------

// The ID of the section with this name, creating the name on first use; the
// same name always gives the same ID. Every call with an empty name gives a
// new, unnamed section. IDs start at 1 and stay valid for the whole process.
int32_t ProfilerSectionId(std::string_view name);

// Starts / ends one run of a section. The record is created by its first
// start. An end without a matching start is ignored.
void ProfilerSectionBegin(int32_t id);
void ProfilerSectionEnd(int32_t id);

// Times one run of a section for the lifetime of the object.
class TProfileSection {
public:
    explicit TProfileSection(int32_t id) : id_(id) { ProfilerSectionBegin(id_); }
    explicit TProfileSection(std::string_view name) : TProfileSection(ProfilerSectionId(name)) {}
    ~TProfileSection() { ProfilerSectionEnd(id_); }
    TProfileSection(const TProfileSection&) = delete;
    TProfileSection& operator=(const TProfileSection&) = delete;

private:
    int32_t id_;
};

// The clock of the timing operations, in microseconds; tests replace it
// (nullptr restores the steady clock).
using TProfilerClock = std::function<int64_t()>;
void SetProfilerClock(TProfilerClock clock);

// The wall clock of the report's period line; tests replace it.
using TProfilerWallClock = std::function<std::chrono::system_clock::time_point()>;
void SetProfilerWallClock(TProfilerWallClock clock);

} // namespace profiler

// TRASOLAN_PROFILE("name"); times the rest of the enclosing block as a run of
// the named section when the build enables solver profiling
// (TRASOLAN_PROFILE_SOLVER), and costs nothing otherwise.
#define TRASOLAN_PROFILE_JOIN2(a, b) a##b
#define TRASOLAN_PROFILE_JOIN(a, b) TRASOLAN_PROFILE_JOIN2(a, b)
#if defined(TRASOLAN_PROFILE_SOLVER)
#define TRASOLAN_PROFILE(name)                                                                     \
    static const int32_t TRASOLAN_PROFILE_JOIN(trasolanProfileId_, __LINE__) =                     \
        ::profiler::ProfilerSectionId(name);                                                       \
    const ::profiler::TProfileSection TRASOLAN_PROFILE_JOIN(trasolanProfileSection_, __LINE__)(    \
        TRASOLAN_PROFILE_JOIN(trasolanProfileId_, __LINE__))
#else
#define TRASOLAN_PROFILE(name) static_cast<void>(0)
#endif
