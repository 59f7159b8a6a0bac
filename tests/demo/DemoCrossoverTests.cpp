#include "DemoTestSupport.h"

#include "core/TSPErrors.h"

#include <gtest/gtest.h>

using demo::DemoCrossover;
using demo::TTSPChromosome;
using namespace demo_test;

namespace {

constexpr uint8_t kOP = 0;
constexpr uint8_t kPMX = 1;
constexpr uint8_t kTriangle = 2;
constexpr uint8_t kSOP = 3;
constexpr uint8_t kCUBX = 4;

struct Children {
    TTSPChromosome c1;
    TTSPChromosome c2;
};

// As the learning window does it: children start as copies of the parents.
Children Cross(uint8_t kind, const TTSPChromosome& p1, const TTSPChromosome& p2) {
    Children children{p1, p2};
    DemoCrossover(kind, p1, p2, children.c1, children.c2);
    return children;
}

// First seed at or after start whose first n Rnd(2) draws all equal bit.
uint32_t SeedGivingMask(int32_t n, int32_t bit) {
    for (uint32_t seed = 0;; ++seed) {
        SetRandSeed(seed);
        bool all = true;
        for (int32_t i = 0; i < n && all; ++i)
            all = Rnd(2) == bit;
        if (all)
            return seed;
    }
}

} // namespace

TEST(DemoCrossover, EveryKindTurnsPermutationParentsIntoPermutationChildren) {
    for (uint8_t kind = 0; kind <= 4; ++kind) {
        for (int32_t n : {4, 5, 7, 10, 25}) {
            for (uint32_t seed = 0; seed < 60; ++seed) {
                SetRandSeed(seed * 7919u + n);
                TTSPChromosome p1;
                TTSPChromosome p2;
                demo::MakeRandomPermutation(p1, n);
                demo::MakeRandomPermutation(p2, n);
                const Children ch = Cross(kind, p1, p2);
                ASSERT_EQ(ch.c1.Count(), n);
                ASSERT_EQ(ch.c2.Count(), n);
                EXPECT_TRUE(IsPermutation(ch.c1)) << int(kind) << ": " << p1.ToText() << " / "
                                                  << p2.ToText() << " -> " << ch.c1.ToText();
                EXPECT_TRUE(IsPermutation(ch.c2)) << int(kind) << ": " << p1.ToText() << " / "
                                                  << p2.ToText() << " -> " << ch.c2.ToText();
                EXPECT_EQ(ch.c1.ToText().find('x'), std::string::npos);
            }
        }
    }
}

TEST(DemoCrossover, IdenticalParentsGiveChildrenEqualToThem) {
    for (uint8_t kind = 0; kind <= 4; ++kind) {
        for (uint32_t seed = 0; seed < 40; ++seed) {
            SetRandSeed(seed);
            TTSPChromosome parent;
            demo::MakeRandomPermutation(parent, 9);
            const Children ch = Cross(kind, parent, parent);
            EXPECT_EQ(ch.c1, parent) << "kind " << int(kind) << ", seed " << seed;
            EXPECT_EQ(ch.c2, parent) << "kind " << int(kind) << ", seed " << seed;
        }
    }
}

TEST(DemoCrossover, PmxOnAgreeingParentsDrawsNothing) {
    const TTSPChromosome parent({4, 2, 0, 3, 1, 5});
    SetRandSeed(31337);
    const Children ch = Cross(kPMX, parent, parent);
    EXPECT_EQ(RandSeed(), 31337u);
    EXPECT_EQ(ch.c1, parent);
    EXPECT_EQ(ch.c2, parent);
}

TEST(DemoCrossover, PmxKeepsThePositionsWhereTheParentsAgree) {
    const TTSPChromosome p1({0, 1, 2, 3, 4, 5, 6, 7});
    const TTSPChromosome p2({0, 3, 2, 1, 4, 7, 6, 5});
    for (uint32_t seed = 0; seed < 50; ++seed) {
        SetRandSeed(seed);
        const Children ch = Cross(kPMX, p1, p2);
        for (int32_t i : {0, 2, 4, 6}) {
            EXPECT_EQ(ch.c1.GetElement(i), i);
            EXPECT_EQ(ch.c2.GetElement(i), i);
        }
        // Elsewhere each child takes one of the parents' genes at that position.
        for (int32_t i : {1, 3, 5, 7}) {
            const int32_t g = ch.c1.GetElement(i);
            EXPECT_TRUE(g == p1.GetElement(i) || g == p2.GetElement(i));
        }
    }
}

TEST(DemoCrossover, PmxCoinsPickWhichParentEachChildTriesFirst) {
    // The parents differ everywhere, so position 0 of each child is decided
    // by its coin alone: C1 tries P1 first on 0, C2 tries P1 first on 1.
    const TTSPChromosome p1({0, 1, 2, 3, 4});
    const TTSPChromosome p2({1, 0, 3, 4, 2});
    bool seen[2][2] = {};
    for (uint32_t seed = 0; seed < 60; ++seed) {
        SetRandSeed(seed);
        const int32_t coin1 = Rnd(2);
        const int32_t coin2 = Rnd(2);
        seen[coin1][coin2] = true;
        SetRandSeed(seed);
        const Children ch = Cross(kPMX, p1, p2);
        EXPECT_EQ(ch.c1.GetElement(0), coin1 == 0 ? p1.GetElement(0) : p2.GetElement(0));
        EXPECT_EQ(ch.c2.GetElement(0), coin2 == 1 ? p1.GetElement(0) : p2.GetElement(0));
    }
    EXPECT_TRUE(seen[0][0] && seen[0][1] && seen[1][0] && seen[1][1]);
}

TEST(DemoCrossover, SopWithAllOnesMaskCopiesTheFirstParentIntoBothChildren) {
    const TTSPChromosome p1({3, 0, 4, 1, 2, 5});
    const TTSPChromosome p2({5, 4, 3, 2, 1, 0});
    SetRandSeed(SeedGivingMask(p1.Count(), 1));
    const Children ch = Cross(kSOP, p1, p2);
    EXPECT_EQ(ch.c1, p1);
    EXPECT_EQ(ch.c2, p1);
}

TEST(DemoCrossover, SopWithAllZerosMaskCopiesTheSecondParentIntoBothChildren) {
    const TTSPChromosome p1({3, 0, 4, 1, 2, 5});
    const TTSPChromosome p2({5, 4, 3, 2, 1, 0});
    SetRandSeed(SeedGivingMask(p1.Count(), 0));
    const Children ch = Cross(kSOP, p1, p2);
    EXPECT_EQ(ch.c1, p2);
    EXPECT_EQ(ch.c2, p2);
}

TEST(DemoCrossover, SopTakesEachPositionFromTheMaskedParentWhenFree) {
    const TTSPChromosome p1({0, 1, 2, 3, 4, 5, 6, 7});
    const TTSPChromosome p2({7, 6, 5, 4, 3, 2, 1, 0});
    for (uint32_t seed = 0; seed < 50; ++seed) {
        SetRandSeed(seed);
        std::vector<int32_t> mask;
        for (int32_t i = 0; i < 8; ++i)
            mask.push_back(Rnd(2));
        SetRandSeed(seed);
        const Children ch = Cross(kSOP, p1, p2);
        for (int32_t i = 0; i < 8; ++i) {
            // C1 keeps P1's genes under 1s, C2 keeps P2's under 0s.
            if (mask[i] == 1) {
                EXPECT_EQ(ch.c1.GetElement(i), p1.GetElement(i));
            } else {
                EXPECT_EQ(ch.c2.GetElement(i), p2.GetElement(i));
            }
        }
    }
}

TEST(DemoCrossover, OpKeepsTheMiddleSegmentOfEachParent) {
    const TTSPChromosome p1({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    const TTSPChromosome p2({9, 7, 5, 3, 1, 8, 6, 4, 2, 0});
    for (uint32_t seed = 0; seed < 50; ++seed) {
        SetRandSeed(seed);
        const DrawnPair cuts = DrawPair(p1.Count() - 2, 1);
        const int32_t a = std::min(cuts.first, cuts.second);
        const int32_t b = std::max(cuts.first, cuts.second);
        ASSERT_GE(a, 1);
        ASSERT_LE(b, p1.Count() - 2);
        SetRandSeed(seed);
        const Children ch = Cross(kOP, p1, p2);
        for (int32_t i = a; i <= b; ++i) {
            EXPECT_EQ(ch.c1.GetElement(i), p1.GetElement(i));
            EXPECT_EQ(ch.c2.GetElement(i), p2.GetElement(i));
        }
        // Outside, the other parent's gene wins wherever it is still free.
        for (int32_t i = 0; i < p1.Count(); ++i) {
            if (i >= a && i <= b)
                continue;
            bool inMiddle = false;
            for (int32_t j = a; j <= b; ++j)
                inMiddle = inMiddle || p1.GetElement(j) == p2.GetElement(i);
            if (!inMiddle) {
                EXPECT_EQ(ch.c1.GetElement(i), p2.GetElement(i));
            }
        }
    }
}

TEST(DemoCrossover, TriangleExchangesTheParentsSegments) {
    const TTSPChromosome p1({0, 1, 2, 3, 4, 5, 6, 7});
    const TTSPChromosome p2({2, 7, 0, 5, 1, 6, 3, 4});
    for (uint32_t seed = 0; seed < 50; ++seed) {
        SetRandSeed(seed);
        const DrawnPair cuts = DrawPair(p1.Count(), 0);
        const int32_t a = std::min(cuts.first, cuts.second);
        const int32_t b = std::max(cuts.first, cuts.second);
        SetRandSeed(seed);
        const Children ch = Cross(kTriangle, p1, p2);
        for (int32_t i = a; i <= b; ++i) {
            EXPECT_EQ(ch.c1.GetElement(i), p2.GetElement(i));
            EXPECT_EQ(ch.c2.GetElement(i), p1.GetElement(i));
        }
    }
}

TEST(DemoCrossover, TriangleFollowsTheMappingOneStep) {
    // With the cut a..b = 1..2 (a seed is searched for) nothing is left to
    // FillGaps: every gap is closed by keeping or by the one-step mapping.
    const TTSPChromosome q1({0, 1, 2, 3, 4});
    const TTSPChromosome q2({1, 3, 4, 0, 2});
    for (uint32_t seed = 0;; ++seed) {
        SetRandSeed(seed);
        const DrawnPair cuts = DrawPair(5, 0);
        if (std::min(cuts.first, cuts.second) != 1 || std::max(cuts.first, cuts.second) != 2)
            continue;
        SetRandSeed(seed);
        const Children ch = Cross(kTriangle, q1, q2);
        // C1: segment 3 4 at 1..2; own genes 0 at 0; 3 and 4 taken at 3, 4;
        // mapping: i=3 -> j=1 -> P1[1]=1 free -> 1; i=4 -> j=2 -> P1[2]=2 -> 2.
        EXPECT_EQ(ch.c1.ToText(), "0-3-4-1-2");
        // C2: segment 1 2 at 1..2; own gene Q2[0]=1 taken, Q2[3]=0, Q2[4]=2 taken;
        // mapping: i=0 -> first j with C2[j]=1 is 1 -> Q2[1]=3 -> 3;
        // i=4 -> j=2 -> Q2[2]=4 -> 4.
        EXPECT_EQ(ch.c2.ToText(), "3-1-2-0-4");
        break;
    }
}

TEST(DemoCrossover, CubxKeepsTheChosenSideAndTakesTheRestFromTheOtherParent) {
    const TTSPChromosome p1({0, 1, 2, 3, 4, 5, 6, 7});
    const TTSPChromosome p2({4, 5, 6, 7, 0, 1, 2, 3});
    for (uint32_t seed = 0; seed < 80; ++seed) {
        SetRandSeed(seed);
        const int32_t c = Rnd(8);
        const int32_t side = Rnd(2);
        SetRandSeed(seed);
        const Children ch = Cross(kCUBX, p1, p2);
        // These parents share no gene between the halves, so the kept side
        // (cut excluded) is the own parent's and the far side the other's.
        for (int32_t i = 0; i < 8; ++i) {
            const bool keptSide = side == 0 ? i < c : i > c;
            if (keptSide) {
                EXPECT_EQ(ch.c1.GetElement(i), p1.GetElement(i)) << seed;
                EXPECT_EQ(ch.c2.GetElement(i), p2.GetElement(i)) << seed;
            }
        }
        EXPECT_TRUE(IsPermutation(ch.c1));
        EXPECT_TRUE(IsPermutation(ch.c2));
    }
}

TEST(DemoCrossover, CubxCutPositionTakesTheOtherParentsGeneWhenFree) {
    const TTSPChromosome p1({0, 1, 2, 3});
    const TTSPChromosome p2({3, 2, 1, 0});
    for (uint32_t seed = 0; seed < 40; ++seed) {
        SetRandSeed(seed);
        const int32_t c = Rnd(4);
        const int32_t side = Rnd(2);
        SetRandSeed(seed);
        const Children ch = Cross(kCUBX, p1, p2);
        // Side 0 keeps 0..c, side 1 keeps c..3. The cut gene from P2 is free
        // in C1 exactly when it is not among C1's other kept genes.
        bool takenElsewhere = false;
        for (int32_t i = 0; i < 4; ++i) {
            const bool kept = side == 0 ? i <= c : i >= c;
            if (kept && i != c && p1.GetElement(i) == p2.GetElement(c))
                takenElsewhere = true;
        }
        if (!takenElsewhere && p2.GetElement(c) != p1.GetElement(c)) {
            EXPECT_EQ(ch.c1.GetElement(c), p2.GetElement(c)) << seed;
        }
    }
}

TEST(DemoCrossover, ChildrenMayBeTheParentObjectsThemselves) {
    SetRandSeed(3);
    TTSPChromosome a;
    TTSPChromosome b;
    demo::MakeRandomPermutation(a, 8);
    demo::MakeRandomPermutation(b, 8);
    for (uint8_t kind = 0; kind <= 4; ++kind) {
        DemoCrossover(kind, a, b, a, b);
        EXPECT_TRUE(IsPermutation(a));
        EXPECT_TRUE(IsPermutation(b));
    }
}

TEST(DemoCrossover, ChildrenOfOtherLengthAreResizedToTheParents) {
    const TTSPChromosome p1({0, 1, 2, 3, 4});
    const TTSPChromosome p2({4, 3, 2, 1, 0});
    TTSPChromosome c1;
    TTSPChromosome c2({1, 2});
    SetRandSeed(8);
    DemoCrossover(kOP, p1, p2, c1, c2);
    EXPECT_TRUE(IsPermutation(c1));
    EXPECT_EQ(c2.Count(), 5);
    EXPECT_TRUE(IsPermutation(c2));
}

TEST(DemoCrossover, RefusesShortParentsAndParentsOfDifferentLength) {
    for (uint8_t kind = 0; kind <= 4; ++kind) {
        for (int32_t n : {0, 1, 2, 3}) {
            const TTSPChromosome p = Identity(n);
            TTSPChromosome c1 = p;
            TTSPChromosome c2 = p;
            SetRandSeed(11);
            try {
                DemoCrossover(kind, p, p, c1, c2);
                FAIL() << "kind " << int(kind) << ", n " << n;
            } catch (const ETSPError& e) {
                EXPECT_STREQ(e.what(), "Для демонстрации операторов хромосома должна содержать "
                                       "не менее четырёх генов");
            }
            EXPECT_EQ(RandSeed(), 11u);
        }
        TTSPChromosome c1;
        TTSPChromosome c2;
        try {
            DemoCrossover(kind, Identity(5), Identity(6), c1, c2);
            FAIL() << "kind " << int(kind);
        } catch (const ETSPError& e) {
            EXPECT_STREQ(e.what(), "Для демонстрации кроссовера родители должны содержать "
                                   "одинаковое число генов");
        }
    }
}

TEST(DemoCrossover, FourGenesAreEnoughForEveryKind) {
    for (uint8_t kind = 0; kind <= 4; ++kind) {
        for (uint32_t seed = 0; seed < 30; ++seed) {
            SetRandSeed(seed);
            const Children ch =
                Cross(kind, TTSPChromosome({0, 1, 2, 3}), TTSPChromosome({3, 1, 0, 2}));
            EXPECT_TRUE(IsPermutation(ch.c1));
            EXPECT_TRUE(IsPermutation(ch.c2));
        }
    }
}

TEST(DemoCrossover, UnknownKindLeavesTheChildrenAsTheyWere) {
    const TTSPChromosome p1({0, 1, 2, 3, 4});
    const TTSPChromosome p2({4, 3, 2, 1, 0});
    Children ch{p1, p2};
    SetRandSeed(4);
    DemoCrossover(5, p1, p2, ch.c1, ch.c2);
    EXPECT_EQ(ch.c1, p1);
    EXPECT_EQ(ch.c2, p2);
    EXPECT_EQ(RandSeed(), 4u);
}
