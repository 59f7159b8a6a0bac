#include "core/ArraysUnit.h"
#include "core/TSPErrors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<int32_t> Contents(const TIntegerArray& list) {
    return std::vector<int32_t>(list.begin(), list.end());
}

std::string MessageOfGetItem(const TIntegerArray& list, int32_t index) {
    try {
        list.GetItem(index);
    } catch (const EIntArrayError& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(IntegerArray, FreshListIsEmptyAndAddAppendsInOrder) {
    TIntegerArray list;
    EXPECT_EQ(list.Count(), 0);
    list.Add(7);
    list.Add(-3);
    list.Add(7);
    EXPECT_EQ(Contents(list), (std::vector<int32_t>{7, -3, 7}));
}

TEST(IntegerArray, IndexOfFindsFirstOccurrenceOrMinusOne) {
    TIntegerArray list{4, 9, 2, 9};
    EXPECT_EQ(list.IndexOf(9), 1);
    EXPECT_EQ(list.IndexOf(4), 0);
    EXPECT_EQ(list.IndexOf(5), -1);
    EXPECT_TRUE(list.Exists(2));
    EXPECT_FALSE(list.Exists(5));
    EXPECT_EQ(TIntegerArray().IndexOf(0), -1);
}

TEST(IntegerArray, DeleteShiftsLaterElementsForward) {
    TIntegerArray list{1, 2, 3, 4};
    list.Delete(3);
    EXPECT_EQ(Contents(list), (std::vector<int32_t>{1, 2, 3}));
    list.Delete(0);
    EXPECT_EQ(Contents(list), (std::vector<int32_t>{2, 3}));
    list.Delete(1);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 0);
}

TEST(IntegerArray, DeleteOutsideTheListChangesNothing) {
    TIntegerArray list{1, 2, 3};
    list.Delete(-1);
    list.Delete(3);
    list.Delete(1000);
    EXPECT_EQ(Contents(list), (std::vector<int32_t>{1, 2, 3}));
}

TEST(IntegerArray, IndexErrorsCarryTheExactMessage) {
    TIntegerArray list{10, 20, 30, 40, 50};
    EXPECT_EQ(MessageOfGetItem(list, 5), "Index 5 > 5 or 5 < 0");
    EXPECT_EQ(MessageOfGetItem(list, -1), "Index -1 > 5 or -1 < 0");
    EXPECT_EQ(MessageOfGetItem(TIntegerArray(), 0), "Index 0 > 0 or 0 < 0");
    EXPECT_EQ(list.GetItem(0), 10);
    EXPECT_EQ(list.GetItem(4), 50);
}

TEST(IntegerArray, SetItemChecksBoundsAndWritesNothingOnError) {
    TIntegerArray list{1, 2, 3};
    list.SetItem(2, 99);
    EXPECT_EQ(list.GetItem(2), 99);
    EXPECT_THROW(list.SetItem(3, 5), EIntArrayError);
    EXPECT_THROW(list.SetItem(-1, 5), EIntArrayError);
    EXPECT_EQ(Contents(list), (std::vector<int32_t>{1, 2, 99}));
}

TEST(IntegerArray, SetCountLeavesExactlyThatManyZeros) {
    TIntegerArray list{1, 2, 3, 4, 5, 6, 7};
    list.SetCount(3);
    EXPECT_EQ(Contents(list), (std::vector<int32_t>{0, 0, 0}));
    list.SetCount(0);
    EXPECT_EQ(list.Count(), 0);
}

TEST(IntegerArray, AddArrayAppendsInOrderAndDoublesWhenAppendedToItself) {
    TIntegerArray list{1, 2};
    list.AddArray(TIntegerArray());
    EXPECT_EQ(Contents(list), (std::vector<int32_t>{1, 2}));
    list.AddArray(TIntegerArray{3, 4});
    EXPECT_EQ(Contents(list), (std::vector<int32_t>{1, 2, 3, 4}));
    list.AddArray(list);
    EXPECT_EQ(Contents(list), (std::vector<int32_t>{1, 2, 3, 4, 1, 2, 3, 4}));
}

TEST(IntegerArray, ClearEmptiesTheList) {
    TIntegerArray list{1, 2, 3};
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.GetItem(0), EIntArrayError);
}
