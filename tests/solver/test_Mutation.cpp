// The mutation operators on hand-made routes.

#include "solver/AlgorithmGetetic.h"

#include "SolverTestMaps.h"

#include <gtest/gtest.h>

using namespace solver_test;
using namespace solver;

namespace {

int32_t Pos(int32_t length) {
    return Rnd(length - 2) + 1;
}

struct Mutation {
    bool accepted = false;
    TIntegerArray genes;
    int64_t draws = 0;
    int32_t counter = 0;
    double fitness = 0;
};

class MutationTest : public ::testing::Test {
protected:
    void SetUp() override {
        CompleteMap(map, 6, {0, 5});
        map.BuildDistanceMatrix();
    }

    Mutation Mutate(uint8_t kind, const TIntegerArray& route, uint32_t seed) {
        TTSPPopulation population(map);
        population.SetMutationKind(kind);
        TTSPChromosome chromosome;
        chromosome.Genes = route;
        chromosome.Fitness = 123;
        SetRandSeed(seed);
        Mutation result;
        result.accepted = population.Mutate(chromosome);
        result.draws = DrawsBetween(seed, RandSeed());
        result.genes = chromosome.Genes;
        result.counter = population.MutationCounter();
        result.fitness = chromosome.Fitness;
        return result;
    }

    TTSPMap map;
};

} // namespace

TEST_F(MutationTest, TwoRandomSwapsTwoGenes) {
    const TIntegerArray route = Route({0, 1, 2, 3, 5});
    const uint32_t seed = FindSeed([] { return Pos(5) == 1 && Pos(5) == 3; });
    const Mutation m = Mutate(mkTwoRandom, route, seed);
    EXPECT_TRUE(m.accepted);
    EXPECT_EQ(m.genes, Route({0, 3, 2, 1, 5}));
    EXPECT_EQ(m.counter, 1);
    EXPECT_EQ(m.draws, 2);
    EXPECT_EQ(m.fitness, 123) << "Mutate leaves the length to the caller";
}

TEST_F(MutationTest, TwoRandomOnOnePositionCountsWithoutChange) {
    const TIntegerArray route = Route({0, 1, 2, 3, 5});
    const uint32_t seed = FindSeed([] { return Pos(5) == Pos(5); });
    const Mutation m = Mutate(mkTwoRandom, route, seed);
    EXPECT_TRUE(m.accepted);
    EXPECT_EQ(m.genes, route);
    EXPECT_EQ(m.counter, 1);
}

TEST_F(MutationTest, AnInvalidResultLeavesTheRoute) {
    PathMap(map, 4, {0, 3});
    map.BuildDistanceMatrix();
    const TIntegerArray route = Route({0, 1, 2, 3});
    const uint32_t seed = FindSeed([] { return Pos(4) == 1 && Pos(4) == 2; });
    const Mutation m = Mutate(mkTwoRandom, route, seed);
    EXPECT_FALSE(m.accepted) << "0-2 is no road";
    EXPECT_EQ(m.genes, route);
    EXPECT_EQ(m.counter, 0);
}

TEST_F(MutationTest, ReducedCutsOutTheStretchBetweenTwoNodesJoinedByARoad) {
    const TIntegerArray route = Route({0, 1, 2, 3, 5});
    const Mutation cut =
        Mutate(mkReduced, route, FindSeed([] { return Pos(5) == 3 && Pos(5) == 1; }));
    EXPECT_TRUE(cut.accepted);
    EXPECT_EQ(cut.genes, Route({0, 1, 3, 5}));
    // Adjacent positions remove nothing, yet count.
    const Mutation adjacent =
        Mutate(mkReduced, route, FindSeed([] { return Pos(5) == 1 && Pos(5) == 2; }));
    EXPECT_TRUE(adjacent.accepted);
    EXPECT_EQ(adjacent.genes, route);
    EXPECT_EQ(adjacent.counter, 1);
    // The same position twice does nothing.
    const Mutation same = Mutate(mkReduced, route, FindSeed([] { return Pos(5) == Pos(5); }));
    EXPECT_FALSE(same.accepted);
    EXPECT_EQ(same.counter, 0);
}

TEST_F(MutationTest, ReducedLeavesALoopToInverseUnlessTheNodeHasARoadToItself) {
    const TIntegerArray route = Route({0, 1, 2, 1, 5});
    const uint32_t seed = FindSeed([] { return Pos(5) == 1 && Pos(5) == 3; });
    EXPECT_FALSE(Mutate(mkReduced, route, seed).accepted);
    map.AddRoadEntry(1, 1);
    const Mutation m = Mutate(mkReduced, route, seed);
    EXPECT_TRUE(m.accepted);
    EXPECT_EQ(m.genes, Route({0, 1, 1, 5}));
}

TEST_F(MutationTest, InverseTurnsTheLoopBetweenTwoVisitsRound) {
    const TIntegerArray route = Route({0, 1, 2, 3, 1, 5});
    // A first attempt that misses, then one that finds the two visits of 1.
    const uint32_t seed = FindSeed([] {
        const int32_t s1 = Pos(6), t1 = Pos(6), s2 = Pos(6), t2 = Pos(6);
        return s1 == 2 && t1 == 3 && s2 == 4 && t2 == 1;
    });
    const Mutation m = Mutate(mkInverse, route, seed);
    EXPECT_TRUE(m.accepted);
    EXPECT_EQ(m.genes, Route({0, 1, 3, 2, 1, 5}));
    EXPECT_EQ(m.draws, 4);
}

TEST_F(MutationTest, InverseWithoutRepeatedNodesNeverChanges) {
    for (uint32_t seed = 1; seed < 50; ++seed) {
        const Mutation m = Mutate(mkInverse, Route({0, 1, 2, 3, 4, 5}), seed);
        EXPECT_FALSE(m.accepted);
        EXPECT_EQ(m.draws, 8) << "four attempts of two draws";
    }
}

TEST_F(MutationTest, TwoGeneRoutes) {
    const TIntegerArray route = Route({0, 5});
    const Mutation swap = Mutate(mkTwoRandom, route, 4);
    EXPECT_TRUE(swap.accepted);
    EXPECT_EQ(swap.genes, route);
    EXPECT_FALSE(Mutate(mkInverse, route, 4).accepted);
    EXPECT_FALSE(Mutate(mkReduced, route, 4).accepted);
}

TEST_F(MutationTest, NoneNeverChangesAndNeverCounts) {
    for (uint32_t seed = 1; seed < 20; ++seed) {
        const Mutation m = Mutate(mkNone, Route({0, 1, 2, 5}), seed);
        EXPECT_FALSE(m.accepted);
        EXPECT_EQ(m.counter, 0);
        EXPECT_EQ(m.draws, 0);
    }
}

TEST_F(MutationTest, RandomDrawsOneOfTheThreeFirst) {
    const TIntegerArray route = Route({0, 1, 2, 3, 1, 5});
    for (uint32_t seed = 1; seed < 200; ++seed) {
        SetRandSeed(seed);
        const uint8_t kind = static_cast<uint8_t>(Rnd(3));
        const Mutation expected = Mutate(kind, route, RandSeed());
        const Mutation m = Mutate(mkRandom, route, seed);
        ASSERT_EQ(m.accepted, expected.accepted);
        ASSERT_EQ(m.genes, expected.genes);
        ASSERT_EQ(m.draws, expected.draws + 1);
    }
}

TEST_F(MutationTest, ARouteOfOneGeneHasNothingToDraw) {
    const Mutation m = Mutate(mkTwoRandom, Route({0}), 3);
    EXPECT_FALSE(m.accepted);
    EXPECT_EQ(m.draws, 0);
}
