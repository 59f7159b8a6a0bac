// The local search prices a reversed stretch with its reversed steps when
// the distances are one-way.

#include "reference/PathLocalSearch.h"

#include <gtest/gtest.h>

using reference::TFixedEndsPath;

namespace {

// n terminals, every step 1000 unless set.
struct Table {
    explicit Table(int32_t count) : n(count), d(static_cast<size_t>(count * count), 1000.0) {
        for (int32_t t = 0; t < n; ++t)
            Set(t, t, 0);
    }
    void Set(int32_t a, int32_t b, double value) { d[static_cast<size_t>(a * n + b)] = value; }
    int32_t n;
    std::vector<double> d;
};

} // namespace

TEST(PathLocalSearch, KeepsAPathWhoseReversalOnlyLooksShorterAtItsEnds) {
    // 0 -> 1 -> 2 -> 3: the new end steps 0 -> 2 and 1 -> 3 are shorter, but
    // 2 -> 1 costs 100 where 1 -> 2 costs 1.
    Table t(4);
    t.Set(0, 1, 10);
    t.Set(1, 2, 1);
    t.Set(2, 3, 10);
    t.Set(0, 2, 1);
    t.Set(2, 1, 100);
    t.Set(1, 3, 1);
    TFixedEndsPath path(t.d, t.n);
    path.Assign({0, 1, 2, 3});
    path.Optimise();
    EXPECT_EQ(path.Order(), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(path.Length(), 21);
}

TEST(PathLocalSearch, ReversesALongStretchThatIsShortOnlyBackwards) {
    // Inner steps 1 -> 2 -> ... -> 5 cost 100 each, backwards 1 each; only
    // turning the whole stretch around (too long for Or-opt) helps.
    Table t(7);
    for (int32_t a = 1; a < 5; ++a) {
        t.Set(a, a + 1, 100);
        t.Set(a + 1, a, 1);
    }
    t.Set(0, 1, 5);
    t.Set(5, 6, 5);
    t.Set(0, 5, 1);
    t.Set(1, 6, 1);
    TFixedEndsPath path(t.d, t.n);
    path.Assign({0, 1, 2, 3, 4, 5, 6});
    path.Optimise();
    EXPECT_EQ(path.Order(), (std::vector<int32_t>{0, 5, 4, 3, 2, 1, 6}));
    EXPECT_EQ(path.Length(), 6);
}

TEST(PathLocalSearch, MovesALongStretchPastAnotherWithoutTurningIt) {
    // Two one-way chains 1..4 and 5..8 in the wrong order. Every partial
    // move or reversal passes a step of 100 or 1000; only carrying one
    // chain whole past the other (0 5..8 1..4 9) helps.
    Table t(10);
    for (int32_t a : {1, 2, 3, 5, 6, 7}) {
        t.Set(a, a + 1, 1);
        t.Set(a + 1, a, 100);
    }
    t.Set(0, 1, 10);
    t.Set(4, 5, 10);
    t.Set(8, 9, 10);
    t.Set(0, 5, 1);
    t.Set(8, 1, 1);
    t.Set(4, 9, 1);
    TFixedEndsPath path(t.d, t.n);
    path.Assign({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    path.Optimise();
    EXPECT_EQ(path.Order(), (std::vector<int32_t>{0, 5, 6, 7, 8, 1, 2, 3, 4, 9}));
    EXPECT_EQ(path.Length(), 9);
}
