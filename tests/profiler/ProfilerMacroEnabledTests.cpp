// TRASOLAN_PROFILE as a build with solver profiling sees it.
#ifndef TRASOLAN_PROFILE_SOLVER
#define TRASOLAN_PROFILE_SOLVER
#endif
#include "profiler/Profiler.h"

#include <gtest/gtest.h>

using namespace profiler;

namespace {

int64_t g_now = 0;

int Work(int depth) {
    TRASOLAN_PROFILE("macro.enabled");
    g_now += 10;
    return depth > 0 ? Work(depth - 1) + 1 : 0;
}

} // namespace

TEST(ProfilerMacro, EnabledMacroTimesTheEnclosingBlock) {
    SetProfilerClock([] { return g_now; });
    ProfilerInit({});
    for (int i = 0; i < 3; ++i)
        Work(0);
    Work(2); // recursion: one run of 30 microseconds
    ASSERT_EQ(ProfilerSections().size(), 1u);
    const TProfiler& s = ProfilerSections()[0];
    EXPECT_EQ(s.Name, "macro.enabled");
    EXPECT_EQ(s.Calls, 4);
    EXPECT_EQ(s.MinTime, 10);
    EXPECT_EQ(s.MaxTime, 30);
    EXPECT_EQ(s.TimeSum, 60);
    ProfilerInit({});
    SetProfilerClock(nullptr);
}
