#include "ProfilerTestSupport.h"

#include "core/TSPErrors.h"
#include "core/TextEncoding.h"
#include "profiler/Profiler.h"

#include <gtest/gtest.h>

using namespace profiler;
using namespace profiler_test;

namespace {

// A hand-driven clock for the timing operations, in microseconds.
int64_t g_now = 0;

class ProfilerTiming : public ::testing::Test {
protected:
    void SetUp() override {
        g_now = 1000;
        SetProfilerClock([] { return g_now; });
        folder_ = ScratchFolder("timing");
        ProfilerInit({WithSeparator(folder_), "trasolan", (folder_ / "fallback").string()});
    }
    void TearDown() override {
        ProfilerInit({});
        SetProfilerClock(nullptr);
        SetProfilerWallClock(nullptr);
        std::filesystem::remove_all(folder_);
    }

    const TProfiler* Find(const std::string& name) {
        for (const TProfiler& s : ProfilerSections())
            if (s.Name == name)
                return &s;
        return nullptr;
    }

    std::filesystem::path folder_;
};

void RunFor(const std::string& name, int64_t microseconds) {
    TProfileSection section(name);
    g_now += microseconds;
}

} // namespace

TEST_F(ProfilerTiming, ScopedSectionFillsTheRecord) {
    RunFor("timing.scoped", 1500);
    RunFor("timing.scoped", 700);
    RunFor("timing.scoped", 2300);
    const TProfiler* s = Find("timing.scoped");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->ID, ProfilerSectionId("timing.scoped"));
    EXPECT_EQ(s->Calls, 3);
    EXPECT_EQ(s->MinTime, 700);
    EXPECT_EQ(s->MaxTime, 2300);
    EXPECT_EQ(s->TimeSum, 4500);
    EXPECT_EQ(s->Total, 4); // whole milliseconds of TimeSum
}

TEST_F(ProfilerTiming, SectionsKeepTheOrderOfCreation) {
    RunFor("timing.b", 10);
    RunFor("timing.a", 10);
    RunFor("timing.b", 10);
    ASSERT_EQ(ProfilerSections().size(), 2u);
    EXPECT_EQ(ProfilerSections()[0].Name, "timing.b");
    EXPECT_EQ(ProfilerSections()[1].Name, "timing.a");
    EXPECT_EQ(ProfilerSections()[0].Calls, 2);
}

TEST_F(ProfilerTiming, NestedSectionsAreListedOuterFirst) {
    {
        TProfileSection outer("timing.outer");
        g_now += 5;
        RunFor("timing.inner", 20);
        g_now += 5;
    }
    ASSERT_EQ(ProfilerSections().size(), 2u);
    EXPECT_EQ(ProfilerSections()[0].Name, "timing.outer");
    EXPECT_EQ(ProfilerSections()[0].TimeSum, 30);
    EXPECT_EQ(ProfilerSections()[1].TimeSum, 20);
}

TEST_F(ProfilerTiming, RecursionCountsOneRunFromOutermostStartToEnd) {
    const int32_t id = ProfilerSectionId("timing.recursive");
    ProfilerSectionBegin(id);
    g_now += 100;
    ProfilerSectionBegin(id);
    g_now += 50;
    ProfilerSectionEnd(id);
    g_now += 100;
    ProfilerSectionEnd(id);
    const TProfiler* s = Find("timing.recursive");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Calls, 1);
    EXPECT_EQ(s->TimeSum, 250);
}

TEST_F(ProfilerTiming, StrayEndsAndUnknownIdsAreIgnored) {
    const int32_t id = ProfilerSectionId("timing.stray");
    ProfilerSectionEnd(id);
    ProfilerSectionBegin(0);
    ProfilerSectionEnd(0);
    ProfilerSectionBegin(-5);
    ProfilerSectionBegin(1 << 30);
    ProfilerSectionEnd(1 << 30);
    EXPECT_TRUE(ProfilerSections().empty());
}

TEST_F(ProfilerTiming, SameNameSameIdAndEveryUnnamedSectionIsNew) {
    const int32_t a = ProfilerSectionId("timing.same");
    EXPECT_EQ(ProfilerSectionId("timing.same"), a);
    EXPECT_GE(a, 1);
    const int32_t u1 = ProfilerSectionId("");
    const int32_t u2 = ProfilerSectionId("");
    EXPECT_NE(u1, u2);
    {
        TProfileSection unnamed(u1);
        g_now += 3;
    }
    ASSERT_EQ(ProfilerSections().size(), 1u);
    EXPECT_EQ(ProfilerSections()[0].ID, u1);
    EXPECT_EQ(ProfilerSections()[0].Name, "");
}

TEST_F(ProfilerTiming, TotalIsHeldAtTheThirtyTwoBitMaximum) {
    RunFor("timing.long", int64_t{3} << 40); // about 35 years in microseconds
    const TProfiler* s = Find("timing.long");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->TimeSum, int64_t{3} << 40);
    EXPECT_EQ(s->Total, 2147483647);
}

TEST_F(ProfilerTiming, DoneWithoutSectionsWritesNothing) {
    const std::string path = WithSeparator(folder_) + "Profile.htm";
    EXPECT_EQ(ProfilerDone(), "");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "fallback"));
}

TEST_F(ProfilerTiming, DoneWithoutSectionsLeavesAnOldReportAlone) {
    const std::string path = WithSeparator(folder_) + "Profile.htm";
    {
        std::ofstream old(path, std::ios::binary);
        old << "old report";
    }
    ProfilerDone();
    EXPECT_EQ(ReadBytes(path), "old report");
}

TEST_F(ProfilerTiming, DoneWritesTheReportIntoTheProgramsFolderAndFreesTheRecords) {
    SetProfilerWallClock([] { return std::chrono::system_clock::time_point{}; });
    ProfilerInit({WithSeparator(folder_), "trasolan", ""});
    RunFor("Поиск", 2000);
    const std::string written = ProfilerDone();
    EXPECT_EQ(written, WithSeparator(folder_) + "Profile.htm");
    const std::string text = Cp1251ToUtf8(ReadBytes(written));
    EXPECT_NE(text.find("Папка: " + WithSeparator(folder_) + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("Файл: <b>trasolan</b></p>\r\n"), std::string::npos);
    EXPECT_NE(text.find("<div align=left>Поиск</div>"), std::string::npos);
    EXPECT_NE(text.find("<font color=maroon>2</font>"), std::string::npos);
    EXPECT_TRUE(ProfilerSections().empty());
    // A second end has nothing left to write.
    std::filesystem::remove(written);
    EXPECT_EQ(ProfilerDone(), "");
    EXPECT_FALSE(std::filesystem::exists(written));
}

TEST_F(ProfilerTiming, ReportGoesToTheFallbackFolderWhenTheProgramsFolderCannotBeWritten) {
    const std::string unwritable = (folder_ / "not-there").string() + "/";
    const std::string fallback = (folder_ / "fallback" / "deeper").string();
    ProfilerInit({unwritable, "trasolan", fallback});
    RunFor("timing.fallback", 10);
    const std::string written = ProfilerDone();
    EXPECT_EQ(written, fallback + "/Profile.htm");
    EXPECT_TRUE(std::filesystem::exists(written));
    EXPECT_FALSE(std::filesystem::exists(unwritable + "Profile.htm"));
    // The report still names the program's own folder.
    EXPECT_NE(Cp1251ToUtf8(ReadBytes(written)).find("Папка: " + unwritable + "\r\n"),
              std::string::npos);
}

TEST_F(ProfilerTiming, NoFolderAtAllRaisesAFileErrorAndStillFreesTheRecords) {
    ProfilerInit({(folder_ / "not-there").string() + "/", "trasolan", ""});
    RunFor("timing.nowhere", 10);
    EXPECT_THROW(ProfilerDone(), EFileError);
    EXPECT_TRUE(ProfilerSections().empty());
}

TEST_F(ProfilerTiming, InitStartsAnEmptyListAndASectionOpenAcrossItIsDropped) {
    const int32_t id = ProfilerSectionId("timing.open");
    ProfilerSectionBegin(id);
    ProfilerInit({WithSeparator(folder_), "trasolan", ""});
    EXPECT_TRUE(ProfilerSections().empty());
    g_now += 10;
    ProfilerSectionEnd(id);
    EXPECT_TRUE(ProfilerSections().empty());
}
