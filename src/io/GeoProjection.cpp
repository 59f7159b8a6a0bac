#include "io/GeoProjection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TPlanePoint ProjectLonLat(double longitude, double latitude) {
    constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
    const double clamped = std::clamp(latitude, -kMercatorMaxLatitude, kMercatorMaxLatitude);
    const double phi = clamped * kRadiansPerDegree;
    const double northing =
        kMercatorEarthRadius * std::log(std::tan(std::numbers::pi / 4.0 + phi / 2.0));
    return {kMercatorEarthRadius * longitude * kRadiansPerDegree, -northing};
}

double PlaneUnitsPerKilometre(double latitude) {
    const double clamped = std::clamp(latitude, -kMercatorMaxLatitude, kMercatorMaxLatitude);
    return 1000.0 * kMercatorEarthRadius / kEarthMeanRadius /
           std::cos(clamped * std::numbers::pi / 180.0);
}

bool IsValidLongitude(double degrees) {
    return std::isfinite(degrees) && std::fabs(degrees) <= 180.0;
}

bool IsValidLatitude(double degrees) {
    return std::isfinite(degrees) && std::fabs(degrees) <= 90.0;
}
