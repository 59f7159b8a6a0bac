// Projection, fitting into the map surface and the up-front limit check.

#include "io/GeoProjection.h"
#include "io/ImportError.h"
#include "io/ImportLimits.h"
#include "io/SurfaceFit.h"
#include "map/TSPMap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

void ExpectPoint(const TPlanePoint& point, double x, double y) {
    EXPECT_NEAR(point.X, x, 1e-9);
    EXPECT_NEAR(point.Y, y, 1e-9);
}

TEST(GeoProjection, WebMercatorWithNorthUp) {
    ExpectPoint(ProjectLonLat(0, 0), 0, 0);
    ExpectPoint(ProjectLonLat(180, 0), std::numbers::pi * kMercatorEarthRadius, 0);
    // y = -R ln tan(45° + 45°/2) = -R ln(1 + sqrt 2)
    const double north45 = kMercatorEarthRadius * std::log(1 + std::sqrt(2.0));
    ExpectPoint(ProjectLonLat(-90, 45), -std::numbers::pi / 2 * kMercatorEarthRadius, -north45);
    ExpectPoint(ProjectLonLat(0, -45), 0, north45);
    // Beyond Web Mercator's limit a latitude is taken as the limit.
    ExpectPoint(ProjectLonLat(10, 90), ProjectLonLat(10, kMercatorMaxLatitude).X,
                ProjectLonLat(10, kMercatorMaxLatitude).Y);
    EXPECT_NEAR(ProjectLonLat(0, kMercatorMaxLatitude).Y, -std::numbers::pi * kMercatorEarthRadius,
                1e-3);

    EXPECT_TRUE(IsValidLatitude(-90));
    EXPECT_FALSE(IsValidLatitude(90.5));
    EXPECT_TRUE(IsValidLongitude(180));
    EXPECT_FALSE(IsValidLongitude(-181));
    EXPECT_FALSE(IsValidLongitude(NAN));
}

TEST(GeoProjection, KilometresOnTheGroundGrowTowardsThePoles) {
    // A kilometre along the equator is 1000 / 6371008.8 radians of the Earth.
    const double atEquator = 1000.0 / kEarthMeanRadius * kMercatorEarthRadius;
    EXPECT_NEAR(PlaneUnitsPerKilometre(0), atEquator, 1e-9);
    EXPECT_NEAR(PlaneUnitsPerKilometre(60), 2 * atEquator, 1e-9);
    EXPECT_NEAR(PlaneUnitsPerKilometre(-60), 2 * atEquator, 1e-9);
    // One degree of longitude at 55° north: 2π × 6371.0088 km / 360 × cos 55°.
    const double degree = ProjectLonLat(38, 55).X - ProjectLonLat(37, 55).X;
    EXPECT_NEAR(degree / PlaneUnitsPerKilometre(55), 63.779, 0.001);
    EXPECT_TRUE(std::isfinite(PlaneUnitsPerKilometre(90)));
}

TEST(SurfaceFit, KeepsTheAspectRatioCentredWithinTheMargin) {
    // 100 x 50 into 767 x 446: margin 20, inner 727 x 406, scale 7.27 (the
    // width limits), height 363.5 centred: 20 + (406 - 363.5) / 2 = 41.25.
    std::vector<TPlanePoint> points{{0, 0}, {100, 50}, {50, 25}, {10, 40}};
    FitToSurface(points, {});
    ExpectPoint(points[0], 20, 41.25);
    ExpectPoint(points[1], 747, 404.75);
    ExpectPoint(points[2], 383.5, 223);
    ExpectPoint(points[3], 20 + 72.7, 41.25 + 290.8);

    // A tall set: the height limits, the width is centred. Shifted input.
    std::vector<TPlanePoint> tall{{-5, 1000}, {-3, 1010}};
    FitToSurface(tall, {200, 100});
    // margin 12.5, inner 175 x 75, scale 7.5: width 15 centred in 175.
    ExpectPoint(tall[0], 12.5 + 80, 12.5);
    ExpectPoint(tall[1], 12.5 + 80 + 15, 87.5);
}

TEST(SurfaceFit, DegenerateSets) {
    std::vector<TPlanePoint> one{{5, 7}};
    FitToSurface(one, {});
    ExpectPoint(one[0], 383.5, 223);

    std::vector<TPlanePoint> same{{5, 7}, {5, 7}};
    FitToSurface(same, {});
    ExpectPoint(same[1], 383.5, 223);

    // A horizontal line spans the inner width, centred vertically.
    std::vector<TPlanePoint> row{{0, 3}, {10, 3}, {4, 3}};
    FitToSurface(row, {});
    ExpectPoint(row[0], 20, 223);
    ExpectPoint(row[1], 747, 223);
    ExpectPoint(row[2], 20 + 290.8, 223);

    // A vertical line spans the inner height, centred horizontally.
    std::vector<TPlanePoint> column{{-2, 0}, {-2, -10}};
    FitToSurface(column, {});
    ExpectPoint(column[0], 383.5, 426);
    ExpectPoint(column[1], 383.5, 20);

    std::vector<TPlanePoint> none;
    FitToSurface(none, {});
    EXPECT_TRUE(none.empty());

    EXPECT_THROW(FitToSurface(row, {0, 100}), EImportError);
    EXPECT_DOUBLE_EQ(SurfaceMargin({80, 40}), 5);
    std::vector<TPlanePoint> huge{{-1.5e308, 0}, {1.5e308, 0}};
    EXPECT_THROW(FitToSurface(huge, {}), EImportError);
}

TEST(ImportLimits, RefusesWhatTheProgramCannotHoldOrSolve) {
    EXPECT_NO_THROW(CheckImportLimits(kMaxMatrixNodes, kMaxRoadEntries));
    auto message = [](int64_t nodes, int64_t entries, std::string_view advice = {}) {
        try {
            CheckImportLimits(nodes, entries, advice);
        } catch (const EImportError& error) {
            return std::string(error.what());
        }
        return std::string("(accepted)");
    };
    EXPECT_NE(message(kMaxMatrixNodes + 1, 0).find("не более чем для 16384 узлов"),
              std::string::npos);
    EXPECT_NE(message(kMaxNodes + 1, 0).find("не более 32767 узлов"), std::string::npos);
    EXPECT_NE(message(10, kMaxRoadEntries + 2).find("не более 5000000 дорог"), std::string::npos);
    const std::string advised = message(20000, 0, "Выберите меньший район.");
    EXPECT_EQ(advised.substr(advised.size() - std::string("Выберите меньший район.").size()),
              "Выберите меньший район.");
}

} // namespace
