// Parent selection and the random real of the roulette wheel.

#include "solver/AlgorithmGetetic.h"

#include "SolverTestMaps.h"

#include <gtest/gtest.h>

using namespace solver_test;
using namespace solver;

namespace {

// Four nodes, all joined; node 2 lies 100 away from the other three, which
// share one point, so [0, 1, 3] has length 0 and [0, 2, 3] length 200.
void ZeroLengthMap(TTSPMap& map) {
    BuildMap(map, {{0, 0}, {0, 0}, {100, 0}, {0, 0}},
             {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}}, {0, 3});
    map.BuildDistanceMatrix();
}

// Routes of lengths 10, 20, ..., on a line.
void LadderPopulation(TTSPMap& map, TTSPPopulation& population, int32_t count) {
    std::vector<Point> points{{0, 0}};
    std::vector<std::pair<int32_t, int32_t>> roads;
    for (int32_t i = 1; i <= count; ++i) {
        points.push_back({5.0 * i, 0});
        roads.emplace_back(0, i);
    }
    BuildMap(map, points, roads, {0});
    map.BuildDistanceMatrix();
    std::vector<TIntegerArray> routes;
    for (int32_t i = 1; i <= count; ++i)
        routes.push_back(Route({0, i, 0}));
    population.SetChromosomes(routes);
}

} // namespace

TEST(Selection, TournamentTakesTheShorterAndOnATieTheSecondDrawn) {
    TTSPMap map;
    TTSPPopulation population(map);
    LadderPopulation(map, population, 6);
    population.SetSelectionKind(skTournament);
    for (uint32_t seed = 1; seed < 200; ++seed) {
        SetRandSeed(seed);
        int32_t expected[2];
        for (int32_t& winner : expected) {
            int32_t x, y;
            do {
                x = Rnd(6);
                y = Rnd(6);
            } while (x == y);
            winner = x < y ? x : y; // position i has length 10 (i + 1)
        }
        const uint32_t after = RandSeed();
        SetRandSeed(seed);
        int32_t p1 = -1, p2 = -1;
        population.SelectParents(p1, p2);
        ASSERT_EQ(p1, expected[0]);
        ASSERT_EQ(p2, expected[1]);
        ASSERT_EQ(RandSeed(), after);
    }

    // Equal lengths: the second of the two drawn wins.
    population.SetChromosomes({Route({0, 1, 0}), Route({0, 1, 0})});
    for (uint32_t seed = 1; seed < 50; ++seed) {
        SetRandSeed(seed);
        int32_t x, y;
        do {
            x = Rnd(2);
            y = Rnd(2);
        } while (x == y);
        SetRandSeed(seed);
        int32_t p1 = -1, p2 = -1;
        population.SelectParents(p1, p2);
        ASSERT_EQ(p1, y);
    }
}

TEST(Selection, RandomSelectionMayDrawOneChromosomeTwice) {
    TTSPMap map;
    TTSPPopulation population(map);
    LadderPopulation(map, population, 5);
    population.SetSelectionKind(skRandom);
    FindSeed([] { return Rnd(5) == Rnd(5); });
    const uint32_t seed = RandSeed();
    const int32_t expected = Rnd(5);
    SetRandSeed(seed);
    int32_t p1 = -1, p2 = -1;
    population.SelectParents(p1, p2);
    EXPECT_EQ(p1, expected);
    EXPECT_EQ(p2, expected);
}

TEST(Selection, RouletteTakesTheFirstPositionWhoseRunningSumReachesTheDraw) {
    TTSPMap map;
    TTSPPopulation population(map);
    LadderPopulation(map, population, 7); // lengths 10 .. 70, total 280
    population.SetSelectionKind(skRoulette);
    int32_t longHits = 0;
    int32_t shortHits = 0;
    for (uint32_t seed = 1; seed < 400; ++seed) {
        SetRandSeed(seed);
        auto spin = [] {
            double r;
            do
                r = Rnd(280) + RndReal();
            while (!(r < 280));
            double sum = 0;
            for (int32_t i = 0; i < 7; ++i) {
                sum += 10.0 * (i + 1);
                if (sum >= r)
                    return i;
            }
            return 6;
        };
        int32_t e1 = -1, e2 = -1;
        while (e1 == e2) {
            e1 = spin();
            e2 = spin();
        }
        const uint32_t after = RandSeed();
        SetRandSeed(seed);
        int32_t p1 = -1, p2 = -1;
        population.SelectParents(p1, p2);
        ASSERT_EQ(p1, e1);
        ASSERT_EQ(p2, e2);
        ASSERT_EQ(RandSeed(), after);
        longHits += (p1 == 6) + (p2 == 6);
        shortHits += (p1 == 0) + (p2 == 0);
    }
    EXPECT_GT(longHits, shortHits * 3) << "the share is the length itself, not its inverse";
}

TEST(Selection, RouletteWithoutLengthDrawsUniformly) {
    // Every route of length 0: the wheel has nothing to spin.
    TTSPMap map;
    ZeroLengthMap(map);
    TTSPPopulation population(map);
    population.SetSelectionKind(skRoulette);
    population.SetChromosomes({Route({0, 1, 3}), Route({0, 3}), Route({0, 1, 3}), Route({0, 3})});
    ASSERT_EQ(population.BestFitness(), 0);
    for (uint32_t seed = 1; seed < 100; ++seed) {
        SetRandSeed(seed);
        int32_t e1, e2;
        do {
            e1 = Rnd(4);
            e2 = Rnd(4);
        } while (e1 == e2);
        SetRandSeed(seed);
        int32_t p1 = -1, p2 = -1;
        population.SelectParents(p1, p2);
        ASSERT_EQ(p1, e1);
        ASSERT_EQ(p2, e2);
    }
}

TEST(Selection, RouletteHeldByOneChromosomeStillEnds) {
    // Only position 3 has length: both spins land there unless a draw is exactly
    // 0, so the wheel gives up after its tries and draws the pair uniformly.
    TTSPMap map;
    ZeroLengthMap(map);
    TTSPPopulation population(map);
    population.SetSelectionKind(skRoulette);
    population.SetChromosomes(
        {Route({0, 1, 3}), Route({0, 3}), Route({0, 1, 3}), Route({0, 2, 3})});
    for (uint32_t seed = 1; seed < 20; ++seed) {
        SetRandSeed(seed);
        int32_t p1 = -1, p2 = -1;
        population.SelectParents(p1, p2);
        EXPECT_NE(p1, p2);
        EXPECT_GE(p1, 0);
        EXPECT_LT(p2, 4);
        const int64_t draws = DrawsBetween(seed, RandSeed());
        EXPECT_GT(draws, 0);
        EXPECT_LT(draws, 5000) << "1000 tries of two draws, then the uniform pair";
    }
}

TEST(Selection, RandomReal) {
    TTSPMap map;
    TTSPPopulation population(map);
    SetRandSeed(17);
    for (int i = 0; i < 2000; ++i) {
        const double r = population.RandomReal(5.75);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 5) << "uniform over [0, Trunc(x))";
        const double small = population.RandomReal(0.25);
        ASSERT_GE(small, 0);
        ASSERT_LT(small, 0.25);
        const double huge = population.RandomReal(1e12);
        ASSERT_GE(huge, 0);
        ASSERT_LT(huge, 1e12);
    }
    // x >= 1 takes exactly two draws: Rnd(Trunc(x)) + RndReal.
    SetRandSeed(5);
    const double r = population.RandomReal(7.5);
    EXPECT_EQ(DrawsBetween(5, RandSeed()), 2);
    SetRandSeed(5);
    EXPECT_EQ(r, Rnd(7) + RndReal());

    // Nothing lies in [0, x) for x <= 0: no endless loop, no draw.
    SetRandSeed(9);
    EXPECT_EQ(population.RandomReal(0), 0);
    EXPECT_EQ(population.RandomReal(-3), 0);
    EXPECT_EQ(RandSeed(), 9u);
    // A vanishing x ends too, inside [0, x).
    const double tiny = population.RandomReal(1e-300);
    EXPECT_GE(tiny, 0);
    EXPECT_LT(tiny, 1e-300);
}

TEST(Selection, ASingleChromosomeNeedsNoDraw) {
    TTSPMap map;
    TTSPPopulation population(map);
    LadderPopulation(map, population, 1);
    for (uint8_t kind : {skTournament, skRoulette}) {
        population.SetSelectionKind(kind);
        SetRandSeed(3);
        int32_t p1 = -1, p2 = -1;
        population.SelectParents(p1, p2);
        EXPECT_EQ(p1, 0);
        EXPECT_EQ(p2, 0);
        EXPECT_EQ(RandSeed(), 3u);
    }
}
