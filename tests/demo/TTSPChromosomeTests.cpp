#include "DemoTestSupport.h"

#include "core/TSPErrors.h"

#include <gtest/gtest.h>

using demo::TTSPChromosome;
using namespace demo_test;

TEST(TTSPChromosomeText, JoinsGenesWithDashesAndWritesGapsAsX) {
    EXPECT_EQ(TTSPChromosome({3, -1, 0}).ToText(), "3-x-0");
    EXPECT_EQ(TTSPChromosome({1, 0, 2}).ToText(), "1-0-2");
    EXPECT_EQ(TTSPChromosome({7}).ToText(), "7");
    EXPECT_EQ(TTSPChromosome({12, 10, -1}).ToText(), "12-10-x");
    EXPECT_EQ(TTSPChromosome().ToText(), "");
}

TEST(TTSPChromosomeAccess, IndexOutsideRaisesTheSharedMessage) {
    TTSPChromosome c;
    c.SetCount(10);
    try {
        c.GetElement(12);
        FAIL() << "no exception";
    } catch (const ETSPError& e) {
        EXPECT_STREQ(e.what(), "Неправильный индекс при обращении к TTSPChromosome.GetElement "
                               "(12). Индекс должен лежать в диапазоне от 0 до 10");
    }
    try {
        c.SetElement(-1, 5);
        FAIL() << "no exception";
    } catch (const ETSPError& e) {
        EXPECT_STREQ(e.what(), "Неправильный индекс при обращении к TTSPChromosome.SetElement "
                               "(-1). Индекс должен лежать в диапазоне от 0 до 10");
    }
    EXPECT_THROW(c.GetElement(10), ETSPError);
    EXPECT_THROW(c.SetElement(10, 1), ETSPError);
    EXPECT_THROW(c.GetElement(-1), ETSPError);
    EXPECT_NO_THROW(c.GetElement(9));
    c.SetElement(9, 42);
    EXPECT_EQ(c.GetElement(9), 42);
    EXPECT_THROW(TTSPChromosome().GetElement(0), ETSPError);
}

TEST(TTSPChromosomeAccess, SetCountKeepsLeadingGenesAndAddsZeros) {
    TTSPChromosome c({5, 6, 7});
    c.SetCount(5);
    EXPECT_EQ(c.Genes(), (std::vector<int32_t>{5, 6, 7, 0, 0}));
    c.SetCount(2);
    EXPECT_EQ(c.Genes(), (std::vector<int32_t>{5, 6}));
    c.SetCount(-3);
    EXPECT_EQ(c.Count(), 0);
}

TEST(TTSPChromosomeAccess, ExistsScansAllGenesAndCopiesAreIndependent) {
    TTSPChromosome original({4, -1, 2});
    EXPECT_TRUE(original.Exists(2));
    EXPECT_TRUE(original.Exists(-1));
    EXPECT_FALSE(original.Exists(0));
    TTSPChromosome copy = original;
    copy.SetElement(0, 9);
    EXPECT_EQ(original.GetElement(0), 4);
    EXPECT_EQ(copy.Count(), 3);
}

TEST(TTSPChromosomeFillGaps, CompletesAPartialPermutationKeepingItsGenes) {
    for (uint32_t seed = 0; seed < 50; ++seed) {
        SetRandSeed(seed);
        TTSPChromosome c({-1, 3, -1, 0, -1, 5, -1});
        c.FillGaps();
        EXPECT_TRUE(IsPermutation(c)) << c.ToText();
        EXPECT_EQ(c.GetElement(1), 3);
        EXPECT_EQ(c.GetElement(3), 0);
        EXPECT_EQ(c.GetElement(5), 5);
    }
}

TEST(TTSPChromosomeFillGaps, DrawsNothingWithoutGaps) {
    SetRandSeed(77);
    TTSPChromosome c({2, 0, 1});
    c.FillGaps();
    EXPECT_EQ(RandSeed(), 77u);
    EXPECT_EQ(c.ToText(), "2-0-1");
}

TEST(TTSPChromosomeFillGaps, EndsAlsoOnGenesThatAreNoPartialPermutation) {
    // Duplicates and values outside 0..N-1 must not make the redraw loop hang.
    SetRandSeed(5);
    TTSPChromosome duplicates({1, 1, 1, -1, 1});
    duplicates.FillGaps();
    EXPECT_FALSE(duplicates.Exists(-1));
    EXPECT_NE(duplicates.GetElement(3), 1);

    TTSPChromosome outOfRange({100, -7, -1, -1});
    outOfRange.FillGaps();
    EXPECT_FALSE(outOfRange.Exists(-1));
    EXPECT_NE(outOfRange.GetElement(2), outOfRange.GetElement(3));

    TTSPChromosome allGaps({-1, -1, -1, -1, -1, -1});
    allGaps.FillGaps();
    EXPECT_TRUE(IsPermutation(allGaps));
}

TEST(MakeRandomPermutation, GivesPermutationsWithOneDrawPerSwap) {
    for (int32_t n : {0, 1, 2, 10, 33}) {
        SetRandSeed(1234);
        TTSPChromosome c({9, 9});
        demo::MakeRandomPermutation(c, n);
        EXPECT_EQ(c.Count(), n);
        EXPECT_TRUE(IsPermutation(c));
        SetRandSeed(1234);
        for (int32_t i = 0; i < n - 1; ++i)
            Rnd(2);
        const uint32_t expectedSeed = RandSeed();
        SetRandSeed(1234);
        demo::MakeRandomPermutation(c, n);
        EXPECT_EQ(RandSeed(), expectedSeed) << "n = " << n;
    }
}

TEST(MakeRandomPermutation, IsFisherYatesFromTheEnd) {
    SetRandSeed(99);
    std::vector<int32_t> expected{0, 1, 2, 3, 4, 5};
    for (int32_t i = 5; i >= 1; --i)
        std::swap(expected[i], expected[Rnd(i + 1)]);
    SetRandSeed(99);
    TTSPChromosome c;
    demo::MakeRandomPermutation(c, 6);
    EXPECT_EQ(c.Genes(), expected);
}

TEST(MakeRandomPermutation, DifferentSeedsGiveDifferentOrders) {
    TTSPChromosome a;
    TTSPChromosome b;
    SetRandSeed(1);
    demo::MakeRandomPermutation(a, 10);
    demo::MakeRandomPermutation(b, 10);
    EXPECT_NE(a, b);
}
