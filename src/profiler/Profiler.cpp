#include "profiler/Profiler.h"

#include "core/TSPErrors.h"
#include "profiler/ProfilerReport.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <unordered_map>

namespace profiler {

namespace {

int64_t SteadyMicroseconds() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

std::chrono::system_clock::time_point SystemNow() {
    return std::chrono::system_clock::now();
}

// A section's state outside its record: the run in progress.
struct SectionRun {
    int32_t Depth = 0;
    int64_t Started = 0;
};

struct ProfilerState {
    TProfilerSetup Setup;
    std::chrono::system_clock::time_point Start{};
    TProfilerList Sections;
    // Names of all sections ever created, by ID - 1; they outlive the records
    // so that IDs cached by TRASOLAN_PROFILE stay meaningful.
    std::vector<std::string> Names;
    std::unordered_map<std::string, int32_t> IdsByName;
    // Position of each section's record in Sections, by ID - 1; -1 for none.
    std::vector<int32_t> RecordIndex;
    std::vector<SectionRun> Runs;
    TProfilerClock Clock = &SteadyMicroseconds;
    TProfilerWallClock WallClock = &SystemNow;
};

ProfilerState& State() {
    static ProfilerState state;
    return state;
}

bool KnownId(const ProfilerState& state, int32_t id) {
    return id >= 1 && static_cast<size_t>(id) <= state.Names.size();
}

TProfiler& RecordFor(ProfilerState& state, int32_t id) {
    int32_t& index = state.RecordIndex[static_cast<size_t>(id - 1)];
    if (index < 0) {
        index = static_cast<int32_t>(state.Sections.size());
        TProfiler record;
        record.ID = id;
        record.Name = state.Names[static_cast<size_t>(id - 1)];
        state.Sections.push_back(std::move(record));
    }
    return state.Sections[static_cast<size_t>(index)];
}

void AddRun(TProfiler& record, int64_t elapsed) {
    elapsed = std::max<int64_t>(elapsed, 0);
    if (record.Calls == 0) {
        record.MinTime = elapsed;
        record.MaxTime = elapsed;
    } else {
        record.MinTime = std::min(record.MinTime, elapsed);
        record.MaxTime = std::max(record.MaxTime, elapsed);
    }
    if (record.Calls < std::numeric_limits<int32_t>::max())
        ++record.Calls;
    record.TimeSum += elapsed;
    record.Total = static_cast<int32_t>(
        std::min<int64_t>(record.TimeSum / 1000, std::numeric_limits<int32_t>::max()));
}

void ForgetRecords(ProfilerState& state) {
    state.Sections.clear();
    std::fill(state.RecordIndex.begin(), state.RecordIndex.end(), -1);
    std::fill(state.Runs.begin(), state.Runs.end(), SectionRun{});
}

// Writes the report to the program's folder, or to the fallback folder when
// the program's folder cannot take it (an installed program's folder is
// usually read-only).
std::string WriteReportSomewhere(const ProfilerState& state, const std::string& bytes) {
    const std::string primary = ProfileReportPath(state.Setup.ProgramFolder);
    try {
        WriteProfileReportBytes(primary, bytes);
        return primary;
    } catch (const EFileError&) {
        if (state.Setup.FallbackFolder.empty())
            throw;
    }
    std::error_code ignored;
    std::filesystem::create_directories(state.Setup.FallbackFolder, ignored);
    const std::string fallback = ProfileReportPath(state.Setup.FallbackFolder);
    WriteProfileReportBytes(fallback, bytes);
    return fallback;
}

} // namespace

void ProfilerInit(const TProfilerSetup& setup) {
    ProfilerState& state = State();
    state.Setup = setup;
    state.Start = state.WallClock();
    ForgetRecords(state);
}

std::string ProfilerDone() {
    ProfilerState& state = State();
    if (state.Sections.empty())
        return {};
    TProfileReportInfo info{state.Setup.ProgramFolder, state.Setup.ProgramFileName, state.Start,
                            state.WallClock()};
    std::string bytes;
    try {
        bytes = BuildProfileReport(state.Sections, info);
    } catch (...) {
        ForgetRecords(state);
        throw;
    }
    ForgetRecords(state);
    return WriteReportSomewhere(state, bytes);
}

const TProfilerList& ProfilerSections() {
    return State().Sections;
}

int32_t ProfilerSectionId(std::string_view name) {
    ProfilerState& state = State();
    if (!name.empty()) {
        const auto found = state.IdsByName.find(std::string(name));
        if (found != state.IdsByName.end())
            return found->second;
    }
    state.Names.emplace_back(name);
    state.RecordIndex.push_back(-1);
    state.Runs.emplace_back();
    const int32_t id = static_cast<int32_t>(state.Names.size());
    if (!name.empty())
        state.IdsByName.emplace(std::string(name), id);
    return id;
}

void ProfilerSectionBegin(int32_t id) {
    ProfilerState& state = State();
    if (!KnownId(state, id))
        return;
    SectionRun& run = state.Runs[static_cast<size_t>(id - 1)];
    RecordFor(state, id);
    if (run.Depth++ == 0)
        run.Started = state.Clock();
}

void ProfilerSectionEnd(int32_t id) {
    ProfilerState& state = State();
    // Read the clock first, so the bookkeeping below is not timed.
    const int64_t now = state.Clock();
    if (!KnownId(state, id))
        return;
    SectionRun& run = state.Runs[static_cast<size_t>(id - 1)];
    if (run.Depth == 0 || --run.Depth > 0)
        return;
    AddRun(RecordFor(state, id), now - run.Started);
}

void SetProfilerClock(TProfilerClock clock) {
    State().Clock = clock ? std::move(clock) : TProfilerClock(&SteadyMicroseconds);
}

void SetProfilerWallClock(TProfilerWallClock clock) {
    State().WallClock = clock ? std::move(clock) : TProfilerWallClock(&SystemNow);
}

} // namespace profiler
