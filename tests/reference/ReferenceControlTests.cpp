// Steering a reference computation: cancellation from another thread, the
// time budget, progress, and leaving the program's shared generator alone.

#include "ReferenceTestSupport.h"
#include "solver/SolverTestMaps.h"

#include "core/RandomUnit.h"
#include "reference/HeldKarp.h"

#include <atomic>
#include <thread>

using namespace reference;
using namespace reference_test;

namespace {

// Sparse enough for a quick closure, large enough for a long search.
void LargeMap(TTSPMap& map) {
    solver_test::RandomSolvableMap(map, 11, 1500, 1, 1200);
}

} // namespace

TEST(ReferenceControl, CancelFromAnotherThreadStopsTheSearch) {
    TTSPMap map;
    LargeMap(map);
    std::atomic<bool> cancel = false;
    std::atomic<bool> searching = false;
    TReferenceOptions options;
    options.TimeLimitSeconds = 600; // only the flag can end it soon
    options.Cancel = &cancel;
    options.OnProgress = [&](const TReferenceProgress& progress) {
        if (progress.Phase == TReferencePhase::Heuristic)
            searching = true;
    };
    std::thread canceller([&] {
        while (!searching)
            std::this_thread::yield();
        cancel = true;
    });
    EXPECT_THROW(SolveReference(map, options), EReferenceCancelled);
    canceller.join();
}

TEST(ReferenceControl, RaisedFlagStopsEveryStage) {
    TTSPMap map;
    solver_test::RandomSolvableMap(map, 2, 40, 40, 20);
    std::atomic<bool> cancel = true;
    TReferenceOptions options;
    options.Cancel = &cancel;
    EXPECT_THROW(SolveReference(map, options), EReferenceCancelled); // in the closure

    // The exact table, on its own: 2^16 subsets pass a poll.
    const int32_t n = 18;
    std::vector<double> distances(static_cast<size_t>(n * n), 1.0);
    const TSearchControl control(&cancel, {}, TSearchControl::Clock::now());
    EXPECT_THROW(HeldKarpOrder(distances, n, control), EReferenceCancelled);
}

TEST(ReferenceControl, ExhaustedBudgetStillGivesAValidRoute) {
    TTSPMap map;
    LargeMap(map);
    TReferenceOptions options;
    options.TimeLimitSeconds = 0;
    const TReferenceResult result = SolveReference(map, options);
    EXPECT_FALSE(result.Exact);
    ExpectSolverAccepts(map, result);
}

TEST(ReferenceControl, ReportsStagesInOrderAndDrawsNothingShared) {
    TTSPMap map;
    solver_test::RandomSolvableMap(map, 4, 60, 30, 30);
    std::vector<TReferencePhase> phases;
    TReferenceOptions options;
    options.OnProgress = [&](const TReferenceProgress& progress) {
        EXPECT_GE(progress.Fraction, 0.0);
        EXPECT_LE(progress.Fraction, 1.0);
        if (phases.empty() || phases.back() != progress.Phase)
            phases.push_back(progress.Phase);
    };
    SetRandSeed(12345);
    SolveReference(map, options);
    EXPECT_EQ(RandSeed(), 12345u);
    EXPECT_EQ(phases, (std::vector{TReferencePhase::Closure, TReferencePhase::Heuristic}));
}
