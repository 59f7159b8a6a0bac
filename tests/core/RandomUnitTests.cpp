#include "core/RandomUnit.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Every test sets the seed itself: the generator is process-wide.
class RandomUnit : public ::testing::Test {
protected:
    void SetUp() override { SetRandSeed(0); }
    void TearDown() override { SetClockSeedFunction(nullptr); }
};

// The seed whose next step is `target` (the multiplier is odd, so invertible).
uint32_t SeedBefore(uint32_t target) {
    const uint32_t a = 134775813u;
    uint32_t inverse = a;
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - a * inverse;
    return (target - 1u) * inverse;
}

uint32_t FixedClock() {
    return 424242u;
}

} // namespace

TEST_F(RandomUnit, SeedSequenceFromZero) {
    EXPECT_EQ(RandSeed(), 0u);
    Rnd(10);
    EXPECT_EQ(RandSeed(), 1u);
    Rnd(10);
    EXPECT_EQ(RandSeed(), 134775814u);
    Rnd(10);
    EXPECT_EQ(RandSeed(), 134775814u * 134775813u + 1u);
}

TEST_F(RandomUnit, FirstDrawsFromSeedZero) {
    // Upper 32 bits of seed * n: seed 1 gives 0, seed 134775814 gives 3 for n = 100.
    EXPECT_EQ(Rnd(100), 0);
    EXPECT_EQ(Rnd(100), 3);
    SetRandSeed(0);
    EXPECT_DOUBLE_EQ(RndReal(), 1.0 / 4294967296.0);
    EXPECT_DOUBLE_EQ(RndReal(), 134775814.0 / 4294967296.0);
}

TEST_F(RandomUnit, RndOfZeroOrLessIsZeroAndStillSteps) {
    EXPECT_EQ(Rnd(0), 0);
    EXPECT_EQ(RandSeed(), 1u);
    EXPECT_EQ(Rnd(-5), 0);
    EXPECT_EQ(RandSeed(), 134775814u);
}

TEST_F(RandomUnit, RndStaysInRange) {
    for (int32_t n : {1, 2, 7, 1000, 2147483647}) {
        for (int i = 0; i < 2000; ++i) {
            const int32_t value = Rnd(n);
            ASSERT_GE(value, 0);
            ASSERT_LT(value, n);
        }
    }
    // The largest seed gives the largest value, still below n.
    SetRandSeed(SeedBefore(0xFFFFFFFFu));
    EXPECT_EQ(Rnd(1000), 999);
    SetRandSeed(SeedBefore(0));
    EXPECT_EQ(Rnd(1000), 0);
}

TEST_F(RandomUnit, RndRealStaysBelowOne) {
    for (int i = 0; i < 10000; ++i) {
        const double value = RndReal();
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
    }
    SetRandSeed(SeedBefore(0xFFFFFFFFu));
    EXPECT_LT(RndReal(), 1.0);
    SetRandSeed(SeedBefore(0));
    EXPECT_EQ(RndReal(), 0.0);
}

TEST_F(RandomUnit, SameSeedReplaysTheSameDraws) {
    SetRandSeed(12345);
    int32_t first[20];
    for (int32_t& value : first)
        value = Rnd(1000);
    SetRandSeed(12345);
    for (int32_t value : first)
        EXPECT_EQ(Rnd(1000), value);
}

TEST_F(RandomUnit, RandomizeTakesTheSeedFromTheClock) {
    SetClockSeedFunction(&FixedClock);
    Randomize();
    EXPECT_EQ(RandSeed(), 424242u);
}
