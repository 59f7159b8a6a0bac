// TRASOLAN_PROFILE as an ordinary build sees it: it must leave no trace.
#undef TRASOLAN_PROFILE_SOLVER
#include "profiler/Profiler.h"

#include <gtest/gtest.h>

using namespace profiler;

namespace {

int Work(int x) {
    TRASOLAN_PROFILE("macro.disabled");
    return x * 2;
}

} // namespace

TEST(ProfilerMacro, DisabledMacroRecordsNothing) {
    ProfilerInit({});
    EXPECT_EQ(Work(21), 42);
    EXPECT_TRUE(ProfilerSections().empty());
}
