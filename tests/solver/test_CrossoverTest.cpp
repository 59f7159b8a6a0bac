// The crossover comparison: six runs in order with the right settings, the
// percentage columns, repetitions with seeds and their statistics.

#include "solver/CrossoverTest.h"

#include "SolverTestMaps.h"
#include "core/TSPErrors.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

using namespace solver_test;
using namespace solver;

namespace {

TCrossoverTestOptions QuickOptions() {
    TCrossoverTestOptions options;
    options.Settings.PopulationSize = 20;
    options.Settings.StopCriterion = scGenerations;
    options.Settings.StopGenerations = 8;
    options.Seed = 40;
    return options;
}

double Sum(const TCrossoverTestResult& result, double TCrossoverRow::*column) {
    double sum = 0;
    for (const TCrossoverRow& row : result.Rows)
        sum += row.*column;
    return sum;
}

} // namespace

TEST(CrossoverComparison, PercentagesOfTheSum) {
    const auto percent = Percentages({10, 20, 10, 20, 30, 10});
    EXPECT_DOUBLE_EQ(percent[0], 10);
    EXPECT_DOUBLE_EQ(percent[1], 20) << "twice the value, twice the bar";
    EXPECT_DOUBLE_EQ(percent[4], 30);
    double sum = 0;
    for (double p : percent)
        sum += p;
    EXPECT_NEAR(sum, 100, 1e-12);
    // A sum of 0 (every run under its first second, say): zeros, not NaN.
    for (double p : Percentages({0, 0, 0, 0, 0, 0}))
        EXPECT_EQ(p, 0);
}

TEST(CrossoverComparison, SixRunsWithOneKindEachAndTheAdaptiveRunLast) {
    TTSPMap map;
    RandomSolvableMap(map, 60, 15, 40, 7);
    TCrossoverTestOptions options = QuickOptions();
    options.Settings.CrossoverKind = ckPMX;
    std::vector<int> started;
    int currentRow = -1;
    options.OnRunStart = [&](int row, int repeat) {
        EXPECT_EQ(repeat, 0);
        started.push_back(row);
        currentRow = row;
    };
    options.OnGeneration = [&](TTSPPopulation& sender, int32_t, double, double) {
        if (currentRow == kAdaptiveRow) {
            EXPECT_TRUE(sender.AdaptiveChoice());
        } else {
            EXPECT_FALSE(sender.AdaptiveChoice());
            EXPECT_EQ(sender.CrossoverKind(), currentRow);
        }
        EXPECT_EQ(sender.PopulationSize(), 20);
    };
    const TCrossoverTestResult result = RunCrossoverTest(map, options);
    EXPECT_EQ(started, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_FALSE(result.Aborted);
    for (const TCrossoverRow& row : result.Rows) {
        ASSERT_EQ(row.Runs.size(), 1u);
        EXPECT_EQ(row.Runs[0].Generations, 8);
        EXPECT_GT(row.Runs[0].Best, 0);
        EXPECT_EQ(row.Runs[0].Seed, std::optional<uint32_t>(40));
        EXPECT_EQ(row.MeanBest, row.Runs[0].Best);
        EXPECT_EQ(row.StdDevBest, 0);
    }
    EXPECT_NEAR(Sum(result, &TCrossoverRow::ResultPercent), 100, 1e-9);
    EXPECT_NEAR(Sum(result, &TCrossoverRow::GenerationsPercent), 100, 1e-9);
    const double time = Sum(result, &TCrossoverRow::TimePercent);
    EXPECT_TRUE(std::abs(time - 100) < 1e-9 || time == 0);
    for (const TCrossoverRow& row : result.Rows)
        EXPECT_NEAR(row.GenerationsPercent, 100.0 / 6, 1e-9);
}

TEST(CrossoverComparison, ASeedReplaysTheTest) {
    TTSPMap map;
    RandomSolvableMap(map, 61, 15, 40, 7);
    const TCrossoverTestOptions options = QuickOptions();
    const TCrossoverTestResult first = RunCrossoverTest(map, options);
    const TCrossoverTestResult second = RunCrossoverTest(map, options);
    for (int row = 0; row < kCrossoverTestRows; ++row) {
        EXPECT_EQ(first.Rows[row].Runs[0].Best, second.Rows[row].Runs[0].Best);
        EXPECT_EQ(first.Rows[row].Runs[0].Crossovers, second.Rows[row].Runs[0].Crossovers);
    }
}

TEST(CrossoverComparison, RepetitionsUseSuccessiveSeedsAndGiveTheirStatistics) {
    TTSPMap map;
    RandomSolvableMap(map, 62, 18, 30, 9);
    TCrossoverTestOptions options = QuickOptions();
    options.Repeats = 3;
    const TCrossoverTestResult result = RunCrossoverTest(map, options);
    for (const TCrossoverRow& row : result.Rows) {
        ASSERT_EQ(row.Runs.size(), 3u);
        double sum = 0, min = 1e300;
        for (size_t r = 0; r < 3; ++r) {
            EXPECT_EQ(row.Runs[r].Seed, std::optional<uint32_t>(40 + static_cast<uint32_t>(r)));
            sum += row.Runs[r].Best;
            min = std::min(min, row.Runs[r].Best);
        }
        const double mean = sum / 3;
        double squares = 0;
        for (const TCrossoverRun& run : row.Runs)
            squares += (run.Best - mean) * (run.Best - mean);
        EXPECT_DOUBLE_EQ(row.MeanBest, mean);
        EXPECT_EQ(row.MinBest, min);
        EXPECT_NEAR(row.StdDevBest, std::sqrt(squares / 2), 1e-9);
        EXPECT_EQ(row.MeanGenerations, 8);
    }
    // The same seed gives every kind the same start: row 0 of repetition r
    // equals a single test seeded with 40 + r.
    TCrossoverTestOptions single = QuickOptions();
    single.Seed = 42;
    EXPECT_EQ(RunCrossoverTest(map, single).Rows[0].Runs[0].Best, result.Rows[0].Runs[2].Best);
    EXPECT_NEAR(Sum(result, &TCrossoverRow::ResultPercent), 100, 1e-9);
}

TEST(CrossoverComparison, AbortEndsTheTestAfterTheCurrentRun) {
    TTSPMap map;
    RandomSolvableMap(map, 63, 12, 50, 5);
    TCrossoverTestOptions options = QuickOptions();
    options.Settings.StopCriterion = scNone;
    int runs = 0;
    options.OnRunStart = [&](int, int) { ++runs; };
    options.OnGeneration = [](TTSPPopulation& sender, int32_t generation, double, double) {
        if (generation == 3)
            sender.Stop(); // as a stop button or a limit does
    };
    options.ShouldAbort = [&] { return runs == 2; };
    const TCrossoverTestResult result = RunCrossoverTest(map, options);
    EXPECT_TRUE(result.Aborted);
    EXPECT_EQ(result.Rows[0].Runs.size(), 1u);
    EXPECT_EQ(result.Rows[1].Runs.size(), 1u);
    EXPECT_EQ(result.Rows[1].Runs[0].Generations, 3);
    EXPECT_TRUE(result.Rows[2].Runs.empty());
    EXPECT_NEAR(Sum(result, &TCrossoverRow::GenerationsPercent), 100, 1e-9);
    EXPECT_EQ(result.Rows[5].GenerationsPercent, 0);
}

TEST(CrossoverComparison, RefusesBeforeTheFirstRun) {
    TTSPMap map;
    RandomSolvableMap(map, 64, 12, 50, 5);
    TCrossoverTestOptions options = QuickOptions();
    int runs = 0;
    options.OnRunStart = [&](int, int) { ++runs; };
    options.Settings.PopulationSize = 1;
    EXPECT_THROW(RunCrossoverTest(map, options), ETSPError);
    options.Settings.PopulationSize = 10;
    options.Settings.Elitism = true;
    options.Settings.EliteSize = 11;
    EXPECT_THROW(RunCrossoverTest(map, options), ETSPError);
    options.Settings.Elitism = false;
    map.SetSelection(Route({3}));
    EXPECT_THROW(RunCrossoverTest(map, options), ETSPError) << "CheckTask";
    EXPECT_EQ(runs, 0);
}

TEST(CrossoverComparison, JobsGiveTheRunsOfOneThreadAndLeaveTheSharedGeneratorAlone) {
    TTSPMap map;
    RandomSolvableMap(map, 62, 15, 40, 7);
    TCrossoverTestOptions options = QuickOptions();
    options.Repeats = 3;
    const TCrossoverTestResult single = RunCrossoverTest(map, options);

    options.Jobs = 2;
    std::atomic<int> handlers{0};
    options.MakeRunHandler = [&](int, int) {
        ++handlers;
        return [](TTSPPopulation&, int32_t, double, double) {};
    };
    SetRandSeed(1234);
    const TCrossoverTestResult parallel = RunCrossoverTest(map, options);
    EXPECT_EQ(RandSeed(), 1234u);
    EXPECT_EQ(handlers, 18);
    for (size_t row = 0; row < 6; ++row) {
        ASSERT_EQ(parallel.Rows[row].Runs.size(), 3u);
        for (size_t run = 0; run < 3; ++run) {
            const TCrossoverRun& a = single.Rows[row].Runs[run];
            const TCrossoverRun& b = parallel.Rows[row].Runs[run];
            EXPECT_EQ(b.Seed, a.Seed);
            EXPECT_EQ(b.Best, a.Best);
            EXPECT_EQ(b.Generations, a.Generations);
            EXPECT_EQ(b.Crossovers, a.Crossovers);
            EXPECT_EQ(b.Mutations, a.Mutations);
        }
    }
}

TEST(CrossoverComparison, AnAbortWithJobsKeepsTheRunsMadeInOrder) {
    TTSPMap map;
    RandomSolvableMap(map, 63, 15, 40, 7);
    TCrossoverTestOptions options = QuickOptions();
    options.Repeats = 4;
    options.Jobs = 2;
    std::atomic<int> done{0};
    options.ShouldAbort = [&]() { return ++done == 5; };
    const TCrossoverTestResult result = RunCrossoverTest(map, options);
    EXPECT_TRUE(result.Aborted);
    size_t runs = 0;
    for (const TCrossoverRow& row : result.Rows) {
        runs += row.Runs.size();
        for (size_t i = 1; i < row.Runs.size(); ++i)
            EXPECT_LT(*row.Runs[i - 1].Seed, *row.Runs[i].Seed);
    }
    // The fifth run ended the test; the other thread finished the run it had.
    EXPECT_GE(runs, 5u);
    EXPECT_LE(runs, 6u);
}
