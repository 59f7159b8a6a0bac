#pragma once
// Longitude and latitude onto the plane of the map. Web Mercator keeps angles
// (towns keep their look on the map) and is the projection of the maps people
// know; its unit is the metre at the equator. The map's y grows downward, so
// the plane's y is the negated Mercator northing: north is up.

#include <cstdint>

struct TPlanePoint {
    double X = 0;
    double Y = 0;
};

// Web Mercator's own limit: the map is square there. Latitudes beyond it are
// taken as this latitude, so the poles stay finite.
inline constexpr double kMercatorMaxLatitude = 85.0511287798066;
inline constexpr double kMercatorEarthRadius = 6378137.0;

// Longitude and latitude in degrees; latitude within ±90.
TPlanePoint ProjectLonLat(double longitude, double latitude);

// Plane units one kilometre on the ground spans at a latitude: Web Mercator
// stretches by 1 / cos(latitude), and its unit is the metre of a sphere a
// little larger than the Earth's mean one. For distances of a few kilometres
// (a town to its road) this is exact enough.
inline constexpr double kEarthMeanRadius = 6371008.8;
double PlaneUnitsPerKilometre(double latitude);

// Degrees that make sense as a place on the Earth (finite, longitude within
// ±180, latitude within ±90).
bool IsValidLongitude(double degrees);
bool IsValidLatitude(double degrees);
