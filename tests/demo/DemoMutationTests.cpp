#include "DemoTestSupport.h"

#include "core/TSPErrors.h"

#include <gtest/gtest.h>

#include <cstdlib>

using demo::DemoMutation;
using demo::TTSPChromosome;
using namespace demo_test;

namespace {

constexpr uint8_t kTwoRandom = 0;
constexpr uint8_t kInverse = 1;
constexpr uint8_t kReduced = 2;
constexpr uint8_t kRandomBlocks = 3;
constexpr uint8_t kReverse = 4;

// The closing draws every mutation makes: in 5 of 100 cases each end gene is
// exchanged with a random inner one. Replays them on genes.
struct EndSwaps {
    bool first = false;
    bool last = false;
};
EndSwaps ReplayEndSwaps(std::vector<int32_t>& genes) {
    const int32_t n = static_cast<int32_t>(genes.size());
    EndSwaps fired;
    if (Rnd(100) < 5) {
        fired.first = true;
        std::swap(genes[0], genes[Rnd(n - 2) + 1]);
    }
    if (Rnd(100) < 5) {
        fired.last = true;
        std::swap(genes[n - 1], genes[Rnd(n - 2) + 1]);
    }
    return fired;
}

TTSPChromosome Mutated(uint8_t kind, const TTSPChromosome& m) {
    TTSPChromosome copy = m;
    DemoMutation(kind, copy);
    return copy;
}

} // namespace

TEST(DemoMutation, EveryKindKeepsAPermutation) {
    for (uint8_t kind = 0; kind <= 4; ++kind) {
        for (int32_t n : {4, 5, 9, 30}) {
            for (uint32_t seed = 0; seed < 100; ++seed) {
                SetRandSeed(seed * 104729u + n);
                TTSPChromosome m;
                demo::MakeRandomPermutation(m, n);
                const TTSPChromosome after = Mutated(kind, m);
                EXPECT_EQ(after.Count(), n);
                EXPECT_TRUE(IsPermutation(after)) << int(kind) << ": " << after.ToText();
            }
        }
    }
}

TEST(DemoMutation, ReverseKindReversesTheWholeChromosomeApartFromTheEndSwaps) {
    const TTSPChromosome m({0, 1, 2, 3, 4, 5, 6, 7, 8});
    int plainReversals = 0;
    int withEndSwaps = 0;
    for (uint32_t seed = 0; seed < 400; ++seed) {
        SetRandSeed(seed);
        DrawPair(m.Count(), 0); // the opening pair every kind draws
        Rnd(m.Count() - 1);     // x: where the reversal is split, no effect
        std::vector<int32_t> expected = Reversed(m).Genes();
        const EndSwaps fired = ReplayEndSwaps(expected);
        SetRandSeed(seed);
        const TTSPChromosome after = Mutated(kReverse, m);
        EXPECT_EQ(after.Genes(), expected) << "seed " << seed;
        if (!fired.first && !fired.last) {
            EXPECT_EQ(after, Reversed(m));
            ++plainReversals;
        } else {
            ++withEndSwaps;
        }
    }
    EXPECT_GT(plainReversals, 300);
    EXPECT_GT(withEndSwaps, 5);
}

TEST(DemoMutation, InverseOnAdjacentPositionsSwapsJustThoseTwoGenes) {
    const TTSPChromosome m({0, 1, 2, 3, 4, 5, 6, 7});
    int adjacentCases = 0;
    for (uint32_t seed = 0; seed < 2000 && adjacentCases < 20; ++seed) {
        SetRandSeed(seed);
        const DrawnPair ab = DrawPair(m.Count(), 0);
        if (std::abs(ab.first - ab.second) != 1)
            continue;
        std::vector<int32_t> scratch = m.Genes();
        const EndSwaps fired = ReplayEndSwaps(scratch);
        if (fired.first || fired.last)
            continue;
        ++adjacentCases;
        SetRandSeed(seed);
        const TTSPChromosome after = Mutated(kInverse, m);
        std::vector<int32_t> expected = m.Genes();
        std::swap(expected[ab.first], expected[ab.second]);
        EXPECT_EQ(after.Genes(), expected) << "seed " << seed;
    }
    EXPECT_EQ(adjacentCases, 20);
}

TEST(DemoMutation, InverseReversesTheSegmentBetweenTheDrawnPositions) {
    const TTSPChromosome m({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    for (uint32_t seed = 0; seed < 200; ++seed) {
        SetRandSeed(seed);
        const DrawnPair ab = DrawPair(m.Count(), 0);
        const int32_t lo = std::min(ab.first, ab.second);
        const int32_t hi = std::max(ab.first, ab.second);
        std::vector<int32_t> expected = m.Genes();
        std::reverse(expected.begin() + lo, expected.begin() + hi + 1);
        ReplayEndSwaps(expected);
        SetRandSeed(seed);
        EXPECT_EQ(Mutated(kInverse, m).Genes(), expected) << "seed " << seed;
    }
}

TEST(DemoMutation, TwoRandomSwapsTheDrawnPositions) {
    const TTSPChromosome m({5, 4, 3, 2, 1, 0});
    for (uint32_t seed = 0; seed < 100; ++seed) {
        SetRandSeed(seed);
        const DrawnPair ab = DrawPair(m.Count(), 0);
        std::vector<int32_t> expected = m.Genes();
        std::swap(expected[ab.first], expected[ab.second]);
        ReplayEndSwaps(expected);
        SetRandSeed(seed);
        EXPECT_EQ(Mutated(kTwoRandom, m).Genes(), expected) << "seed " << seed;
    }
}

TEST(DemoMutation, ReducedWalksTheFirstGeneForwardOrSwapsTheEnds) {
    const TTSPChromosome m({0, 1, 2, 3, 4, 5});
    bool sawWrap = false;
    bool sawWalk = false;
    for (uint32_t seed = 0; seed < 300; ++seed) {
        SetRandSeed(seed);
        DrawPair(m.Count(), 0);
        const int32_t r = Rnd(m.Count() - 1) + 1;
        std::vector<int32_t> expected;
        if (r <= m.Count() - 2) {
            // Gene 0 ends at position r+1; the genes it passed move back one.
            sawWalk = true;
            for (int32_t i = 1; i <= r + 1; ++i)
                expected.push_back(i);
            expected.push_back(0);
            for (int32_t i = r + 2; i < m.Count(); ++i)
                expected.push_back(i);
        } else {
            // r = N-1: the walk reaches the end, then the ends are exchanged.
            sawWrap = true;
            expected = {0, 2, 3, 4, 5, 1};
        }
        ReplayEndSwaps(expected);
        SetRandSeed(seed);
        EXPECT_EQ(Mutated(kReduced, m).Genes(), expected) << "seed " << seed << ", r " << r;
    }
    EXPECT_TRUE(sawWalk);
    EXPECT_TRUE(sawWrap);
}

TEST(DemoMutation, RandomBlocksPutsTailMiddleAndHeadInThatOrder) {
    const TTSPChromosome m({0, 1, 2, 3, 4, 5, 6, 7});
    for (uint32_t seed = 0; seed < 200; ++seed) {
        SetRandSeed(seed);
        DrawPair(m.Count(), 0);
        const DrawnPair xy = DrawPair(m.Count() - 2, 1);
        const int32_t lo = std::min(xy.first, xy.second);
        const int32_t hi = std::max(xy.first, xy.second);
        std::vector<int32_t> expected;
        for (int32_t i = hi + 1; i < m.Count(); ++i)
            expected.push_back(i);
        for (int32_t i = lo; i <= hi; ++i)
            expected.push_back(i);
        for (int32_t i = 0; i < lo; ++i)
            expected.push_back(i);
        ReplayEndSwaps(expected);
        SetRandSeed(seed);
        EXPECT_EQ(Mutated(kRandomBlocks, m).Genes(), expected) << "seed " << seed;
    }
}

TEST(DemoMutation, RefusesFewerThanFourGenes) {
    for (uint8_t kind = 0; kind <= 4; ++kind) {
        for (int32_t n : {0, 1, 2, 3}) {
            TTSPChromosome m = Identity(n);
            SetRandSeed(21);
            try {
                DemoMutation(kind, m);
                FAIL() << "kind " << int(kind) << ", n " << n;
            } catch (const ETSPError& e) {
                EXPECT_STREQ(e.what(), "Для демонстрации операторов хромосома должна содержать "
                                       "не менее четырёх генов");
            }
            EXPECT_EQ(m, Identity(n));
            EXPECT_EQ(RandSeed(), 21u);
        }
    }
}

TEST(DemoMutation, FourGenesAreEnoughForEveryKind) {
    for (uint8_t kind = 0; kind <= 4; ++kind) {
        for (uint32_t seed = 0; seed < 50; ++seed) {
            SetRandSeed(seed);
            EXPECT_TRUE(IsPermutation(Mutated(kind, Identity(4))));
        }
    }
}
