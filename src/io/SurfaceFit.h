#pragma once
// Fitting points of the plane into the map surface of W x H pixels: one scale
// for both axes (shapes keep their proportions), the picture centred, and a
// margin on every side so that nodes and the names written above and to the
// right of them stay inside the surface.

#include "io/GeoProjection.h"

#include <vector>

struct TSurfaceSize {
    double Width = 767; // the map view's surface
    double Height = 446;
};

// Margin on each side: 20 pixels, or an eighth of the shorter side of a
// surface smaller than 160 pixels.
inline constexpr double kSurfaceMargin = 20;
double SurfaceMargin(const TSurfaceSize& size);

// Width and height from 1 to kMaxSurfaceSide pixels; EImportError otherwise.
inline constexpr double kMaxSurfaceSide = 1'000'000;
void CheckSurfaceSize(const TSurfaceSize& size);

struct TPlaneBounds {
    double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
    bool Empty = true;

    void Include(const TPlanePoint& point);
    static TPlaneBounds Of(const std::vector<TPlanePoint>& points);
};

// The mapping x' = OffsetX + (x - MinX) * Scale, y' = OffsetY + (y - MinY) * Scale,
// with Scale = min((W - 2m) / (MaxX - MinX), (H - 2m) / (MaxY - MinY)) and the
// offsets centring the scaled bounds in the surface. An axis without extent
// does not limit the scale; bounds that are a single point go to the centre.
// Raises EImportError for a surface size outside CheckSurfaceSize's range or
// bounds too wide for a double.
class TSurfaceFit {
public:
    TSurfaceFit(const TPlaneBounds& bounds, const TSurfaceSize& size);

    TPlanePoint Apply(const TPlanePoint& point) const;
    // Map pixels per plane unit; 0 when the bounds are a single point.
    double Scale() const { return scale_; }

private:
    double scale_ = 0;
    double minX_ = 0, minY_ = 0;
    double offsetX_ = 0, offsetY_ = 0;
};

// Fits the points into the surface in place (see TSurfaceFit).
void FitToSurface(std::vector<TPlanePoint>& points, const TSurfaceSize& size);
