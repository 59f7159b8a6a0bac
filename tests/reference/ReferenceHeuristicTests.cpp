// The reference heuristic: never shorter than the proven optimum (which
// would mean a wrong length), on maps with two-way and with one-way roads,
// and a valid, repeatable route on selections beyond the exact method.

#include "ReferenceTestSupport.h"
#include "solver/SolverTestMaps.h"

#include "core/RandomUnit.h"

using namespace reference;
using namespace reference_test;

namespace {

TReferenceResult Solve(const TTSPMap& map, TReferenceMethod method) {
    TReferenceOptions options;
    options.Method = method;
    return SolveReference(map, options);
}

} // namespace

TEST(ReferenceHeuristic, NeverBelowTheExactOptimum) {
    for (uint32_t seed = 1; seed <= 24; ++seed) {
        TTSPMap map;
        solver_test::RandomSolvableMap(map, seed, 25 + static_cast<int32_t>(seed * 3 % 76),
                                       10 + static_cast<int32_t>(seed % 5) * 10,
                                       12 + static_cast<int32_t>(seed % 5));
        if (seed % 2 == 0)
            MakeRoadsOneWay(map, seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        const TReferenceResult exact = Solve(map, TReferenceMethod::Exact);
        const TReferenceResult found = Solve(map, TReferenceMethod::Heuristic);
        ASSERT_TRUE(exact.Exact);
        EXPECT_FALSE(found.Exact);
        EXPECT_GE(found.Length, exact.Length * (1 - 1e-12));
        ExpectSolverAccepts(map, found);
    }
}

TEST(ReferenceHeuristic, OneWayRoundTripMatchesBruteForce) {
    // Round trips over one-way roads: reversing a stretch changes its length,
    // which the search must price with the reversed steps.
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        TTSPMap map;
        solver_test::RandomSolvableMap(map, seed + 100, 14, 30, 8);
        TIntegerArray selection = map.SelectedCities();
        selection.Add(selection[0]);
        map.SetSelection(selection);
        MakeRoadsOneWay(map, seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        const TReferenceResult found = Solve(map, TReferenceMethod::Heuristic);
        EXPECT_NEAR(found.Length, BruteForceLength(map), 1e-9 * found.Length);
        ExpectSolverAccepts(map, found);
    }
}

TEST(ReferenceHeuristic, LargeSelectionGivesAValidRepeatableRoute) {
    TTSPMap map;
    solver_test::RandomSolvableMap(map, 5, 300, 4, 80, 20);
    const TReferenceResult first = SolveReference(map);
    const TReferenceResult second = SolveReference(map);
    EXPECT_FALSE(first.Exact);
    EXPECT_EQ(first.RouteIds, second.RouteIds);
    EXPECT_EQ(first.Length, second.Length);
    ExpectSolverAccepts(map, first);
}
