// The five crossover operators on hand-made parents, with the draws chosen by
// searching for a seed that gives them.

#include "solver/AlgorithmGetetic.h"

#include "SolverTestMaps.h"

#include <gtest/gtest.h>

#include <random>

using namespace solver_test;
using namespace solver;

namespace {

// A position drawn in a route of length l, as the operators draw it.
int32_t Pos(int32_t length) {
    return Rnd(length - 2) + 1;
}

struct Crossing {
    TTSPChromosome child1;
    TTSPChromosome child2;
    bool valid1 = false;
    bool valid2 = false;
    int64_t draws = 0;
};

class CrossoverTest : public ::testing::Test {
protected:
    // Six nodes on a circle, every pair joined.
    void SetUp() override {
        CompleteMap(map, 6, {0, 5});
        map.BuildDistanceMatrix();
    }

    Crossing Cross(uint8_t kind, const TIntegerArray& p1, const TIntegerArray& p2, uint32_t seed,
                   bool adaptive = false) {
        TTSPPopulation population(map);
        population.SetChromosomes({p1, p2});
        population.SetCrossoverKind(kind);
        population.SetAdaptiveChoice(adaptive);
        Crossing result;
        result.child1.Origin = 3;
        result.child2.Origin = 3;
        SetRandSeed(seed);
        population.Crossover(0, 1, result.child1, result.child2, result.valid1, result.valid2);
        result.draws = DrawsBetween(seed, RandSeed());
        return result;
    }

    TTSPMap map;
};

} // namespace

TEST_F(CrossoverTest, OpAndSopOnEqualParentsGiveTheParent) {
    const TIntegerArray parent = Route({0, 1, 2, 3, 4, 5});
    for (uint32_t seed = 1; seed < 30; ++seed) {
        for (uint8_t kind : {ckOP, ckSOP}) {
            const Crossing c = Cross(kind, parent, parent, seed);
            EXPECT_EQ(c.child1.Genes, parent);
            EXPECT_EQ(c.child2.Genes, parent);
            EXPECT_TRUE(c.valid1 && c.valid2);
            EXPECT_EQ(c.draws, 1);
        }
    }
}

TEST_F(CrossoverTest, OpJoinsHeadAndTailAtTheSharedNode) {
    const TIntegerArray p1 = Route({0, 1, 2, 3, 4, 5});
    const TIntegerArray p2 = Route({0, 4, 2, 1, 3, 5});
    const uint32_t seed = FindSeed([] { return Pos(6) == 2; }); // P1[2] = 2 is P2[2]
    const Crossing c = Cross(ckOP, p1, p2, seed);
    EXPECT_EQ(c.child1.Genes, Route({0, 1, 2, 1, 3, 5}));
    EXPECT_EQ(c.child2.Genes, Route({0, 4, 2, 3, 4, 5}));
    EXPECT_TRUE(c.valid1 && c.valid2);
    // SOP: the same two routes in the other order.
    const Crossing s = Cross(ckSOP, p1, p2, seed);
    EXPECT_EQ(s.child1.Genes, c.child2.Genes);
    EXPECT_EQ(s.child2.Genes, c.child1.Genes);
}

TEST_F(CrossoverTest, OpWhenTheCutNodeIsMissingFromTheOtherParent) {
    const TIntegerArray p1 = Route({0, 1, 2, 5});
    const TIntegerArray p2 = Route({0, 3, 4, 5});
    const uint32_t seed = FindSeed([] { return Pos(4) == 1; });
    const Crossing c = Cross(ckOP, p1, p2, seed);
    // Child 1 is P1's head and the whole of P2; child 2 only P1's tail.
    EXPECT_EQ(c.child1.Genes, Route({0, 1, 0, 3, 4, 5}));
    EXPECT_EQ(c.child2.Genes, Route({2, 5}));
    EXPECT_TRUE(c.valid1) << "a road joins P1[c] to the first selected city";
    EXPECT_FALSE(c.valid2) << "it does not begin at the first selected city";
}

TEST_F(CrossoverTest, OpOnTwoGeneRoutes) {
    const Crossing c = Cross(ckOP, Route({0, 5}), Route({0, 5}), 77);
    EXPECT_EQ(c.child1.Genes, Route({0, 5}));
    EXPECT_EQ(c.child2.Genes, Route({0, 5}));
    EXPECT_TRUE(c.valid1 && c.valid2);
    EXPECT_EQ(c.draws, 1) << "Rnd(0) still steps the generator";
}

TEST_F(CrossoverTest, PmxExchangesTheMiddlePieces) {
    CompleteMap(map, 6, {0, 1, 2, 3, 4, 5});
    map.BuildDistanceMatrix();
    const TIntegerArray p1 = Route({0, 1, 2, 3, 4, 5});
    const TIntegerArray p2 = Route({0, 4, 1, 4, 3, 5});
    const uint32_t seed = FindSeed([] { return Pos(6) == 1 && Pos(6) == 3; });
    const Crossing c = Cross(ckPMX, p1, p2, seed);
    EXPECT_EQ(c.child1.Genes, Route({0, 1, 4, 3, 4, 5}));
    EXPECT_EQ(c.child2.Genes, Route({0, 4, 1, 2, 3, 5}));
    EXPECT_FALSE(c.valid1) << "node 2 was lost";
    EXPECT_TRUE(c.valid2);
}

TEST_F(CrossoverTest, PmxMakesNoChildrenWhenTheCutsDoNotFollowEachOther) {
    const TIntegerArray p1 = Route({0, 1, 2, 3, 4, 5});
    // Second cut not after the first in P1 (also when both are the same node).
    for (auto wanted : {std::function<bool()>([] { return Pos(6) == 3 && Pos(6) == 2; }),
                        std::function<bool()>([] { return Pos(6) == 2 && Pos(6) == 2; })}) {
        const Crossing c = Cross(ckPMX, p1, p1, FindSeed(wanted));
        EXPECT_FALSE(c.valid1 || c.valid2);
        EXPECT_EQ(c.draws, 2);
    }
    // Second shared node found no later in P2 than the first.
    const TIntegerArray reversed = Route({0, 4, 3, 2, 1, 5});
    const Crossing c =
        Cross(ckPMX, p1, reversed, FindSeed([] { return Pos(6) == 1 && Pos(6) == 2; }));
    EXPECT_FALSE(c.valid1 || c.valid2);
    // A first cut whose node P2 lacks: no second draw.
    const Crossing missing = Cross(ckPMX, p1, Route({0, 5}), FindSeed([] { return Pos(6) == 1; }));
    EXPECT_FALSE(missing.valid1 || missing.valid2);
    EXPECT_EQ(missing.draws, 1);
}

TEST_F(CrossoverTest, TriangleExchangesOneNode) {
    // P1[s] and P2[t] are the same node: both children equal their parents.
    const TIntegerArray p1 = Route({0, 2, 1, 5});
    const TIntegerArray p2 = Route({0, 1, 2, 5});
    for (uint32_t seed = 1; seed < 20; ++seed) {
        const Crossing c = Cross(ckTriangle, p1, p2, seed);
        EXPECT_EQ(c.child1.Genes, p1);
        EXPECT_EQ(c.child2.Genes, p2);
        EXPECT_TRUE(c.valid1 && c.valid2);
        EXPECT_EQ(c.draws % 2, 0) << "s and t are drawn in pairs";
    }
    // Different nodes: child 1 takes P2[t] at s, child 2 takes P1[s] at t.
    const TIntegerArray q1 = Route({0, 1, 2, 3, 5});
    const TIntegerArray q2 = Route({0, 4, 3, 5});
    const uint32_t seed = FindSeed([] {
        const int32_t s = Pos(5);
        const int32_t t = Pos(4);
        return s == 3 && t == 1;
    });
    const Crossing c = Cross(ckTriangle, q1, q2, seed);
    EXPECT_EQ(c.child1.Genes, Route({0, 1, 2, 4, 5}));
    EXPECT_EQ(c.child2.Genes, Route({0, 3, 3, 5}));
    EXPECT_TRUE(c.valid1);
    EXPECT_FALSE(c.valid2) << "3 to 3 is no road";
}

TEST_F(CrossoverTest, TriangleOnShortParentsGivesUpAfterItsRedraws) {
    // Parents of three genes always draw position 1 twice.
    const Crossing c = Cross(ckTriangle, Route({0, 1, 5}), Route({0, 2, 5}), 5);
    EXPECT_FALSE(c.valid1 || c.valid2);
    EXPECT_EQ(c.draws, 200) << "100 pairs of draws";
    const Crossing two = Cross(ckTriangle, Route({0, 5}), Route({0, 2, 5}), 5);
    EXPECT_FALSE(two.valid1 || two.valid2);
}

TEST_F(CrossoverTest, CubxWithSingleStretchesExchangesOneGene) {
    const TIntegerArray p1 = Route({0, 1, 2, 3, 5});
    const TIntegerArray p2 = Route({0, 4, 3, 2, 1, 5});
    const uint32_t seed = FindSeed([] {
        const int32_t a1 = Pos(5), b1 = Pos(5), a2 = Pos(6), b2 = Pos(6);
        return a1 == 2 && b1 == 2 && a2 == 1 && b2 == 1;
    });
    const Crossing c = Cross(ckCUBX, p1, p2, seed);
    EXPECT_EQ(c.child1.Genes, Route({0, 1, 4, 3, 5}));    // P2[hi2] at lo1
    EXPECT_EQ(c.child2.Genes, Route({0, 2, 3, 2, 1, 5})); // P1[lo1] at lo2
    EXPECT_EQ(c.draws, 5) << "four positions and n = Rnd(0)";
}

TEST_F(CrossoverTest, CubxIsTheRoundByRoundRotation) {
    // Distinct genes show where each one went.
    PathMap(map, 30, {0, 29});
    map.BuildDistanceMatrix();
    std::mt19937 random(2024);
    for (int trial = 0; trial < 500; ++trial) {
        TIntegerArray p1, p2;
        const int32_t l1 = 2 + static_cast<int32_t>(random() % 12);
        const int32_t l2 = 2 + static_cast<int32_t>(random() % 12);
        for (int32_t i = 0; i < l1; ++i)
            p1.Add(1 + i);
        for (int32_t i = 0; i < l2; ++i)
            p2.Add(15 + i);
        const uint32_t seed = static_cast<uint32_t>(random());
        // The rounds as they are described.
        SetRandSeed(seed);
        const int32_t a1 = Pos(l1), b1 = Pos(l1), a2 = Pos(l2), b2 = Pos(l2);
        const int32_t lo1 = std::min(a1, b1), hi1 = std::max(a1, b1);
        const int32_t lo2 = std::min(a2, b2), hi2 = std::max(a2, b2);
        TIntegerArray c1 = p1, c2 = p2;
        const int32_t n = Rnd((hi1 - lo1) + (hi2 - lo2));
        for (int32_t round = 0; round <= n; ++round) {
            const int32_t t1 = c1[lo1], t2 = c2[hi2];
            for (int32_t k = lo1 + 1; k <= hi1; ++k)
                c1[k - 1] = c1[k];
            for (int32_t k = hi2 - 1; k >= lo2; --k)
                c2[k + 1] = c2[k];
            c2[lo2] = t1;
            c1[hi1] = t2;
        }
        const Crossing c = Cross(ckCUBX, p1, p2, seed);
        ASSERT_EQ(c.child1.Genes, c1) << trial;
        ASSERT_EQ(c.child2.Genes, c2) << trial;
        ASSERT_FALSE(c.valid1 || c.valid2) << "neither starts at node 0";
    }
}

TEST_F(CrossoverTest, ChildrenTakeTheKindAsOriginOnlyWithTheAdaptiveChoice) {
    const TIntegerArray parent = Route({0, 1, 2, 5});
    const Crossing off = Cross(ckCUBX, parent, parent, 3, false);
    EXPECT_EQ(off.child1.Origin, 3);
    EXPECT_EQ(off.child2.Origin, 3);
    const Crossing on = Cross(ckCUBX, parent, parent, 3, true);
    EXPECT_EQ(on.child1.Origin, ckCUBX);
    EXPECT_EQ(on.child2.Origin, ckCUBX);
    // Also when the operator makes no children.
    const Crossing none = Cross(ckTriangle, Route({0, 1, 5}), Route({0, 1, 5}), 3, true);
    EXPECT_EQ(none.child1.Origin, ckTriangle);
}

TEST_F(CrossoverTest, ParentsOfOneGeneGiveNoChildrenAndNoDraws) {
    for (uint8_t kind = 0; kind < kCrossoverKinds; ++kind) {
        const Crossing c = Cross(kind, Route({0}), Route({0, 1, 5}), 8);
        EXPECT_FALSE(c.valid1 || c.valid2);
        EXPECT_EQ(c.draws, 0);
    }
}
