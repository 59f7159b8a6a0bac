#pragma once
// Small helpers for building maps in window tests.

#include "map/TSPMap.h"

#include <QPoint>

#include <initializer_list>
#include <string>

namespace fixture {

// Appends a node with the next ID, named after it; returns its ID.
inline int32_t AddNode(double x, double y, bool isCity = true) {
    TCity city;
    city.ID = g_Map.Count();
    city.Name = std::to_string(city.ID);
    city.X = x;
    city.Y = y;
    city.ThisCity = isCity;
    return g_Map.City(g_Map.AddCity(city)).ID;
}

// Joins two nodes both ways.
inline void AddRoad(int32_t a, int32_t b) {
    g_Map.AddRoadEntry(a, b);
    g_Map.AddRoadEntry(b, a);
}

inline QPoint NodePoint(int32_t position) {
    const TCity& city = g_Map.City(position);
    return {static_cast<int>(city.X), static_cast<int>(city.Y)};
}

} // namespace fixture
