#pragma once
// Helpers of the importer tests: the message of a refused import, and a map
// compared field by field.

#include "io/ImportError.h"
#include "map/TSPMap.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// The EImportError message the call raises, or "(accepted)".
inline std::string ImportMessage(const std::function<void()>& call) {
    try {
        call();
    } catch (const EImportError& error) {
        return error.what();
    }
    return "(accepted)";
}

inline void ExpectSameMap(const TTSPMap& a, const TTSPMap& b) {
    ASSERT_EQ(a.Count(), b.Count());
    EXPECT_EQ(a.SelectedCities(), b.SelectedCities());
    for (int32_t p = 0; p < a.Count(); ++p) {
        const TCity& x = a.City(p);
        const TCity& y = b.City(p);
        EXPECT_EQ(x.ID, y.ID);
        EXPECT_EQ(x.Name, y.Name);
        EXPECT_DOUBLE_EQ(x.X, y.X);
        EXPECT_DOUBLE_EQ(x.Y, y.Y);
        EXPECT_EQ(x.ThisCity, y.ThisCity);
        EXPECT_EQ(x.Roads, y.Roads);
    }
}

// Saves the map into file bytes and loads them back.
inline TTSPMap SavedAndOpened(const TTSPMap& map) {
    TDisplayFlags flags;
    TTSPMap opened;
    opened.LoadFromBytes(map.SaveToBytes(flags), flags);
    return opened;
}
