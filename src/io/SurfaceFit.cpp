#include "io/SurfaceFit.h"

#include "io/ImportError.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

double SurfaceMargin(const TSurfaceSize& size) {
    return std::min(kSurfaceMargin, std::min(size.Width, size.Height) / 8.0);
}

void CheckSurfaceSize(const TSurfaceSize& size) {
    auto valid = [](double side) { return side >= 1 && side <= kMaxSurfaceSide; };
    if (!valid(size.Width) || !valid(size.Height)) {
        throw EImportError("Ширина и высота карты должны лежать в пределах от 1 до " +
                           std::to_string(static_cast<int64_t>(kMaxSurfaceSide)) + " пикселей.");
    }
}

void TPlaneBounds::Include(const TPlanePoint& point) {
    if (Empty) {
        MinX = MaxX = point.X;
        MinY = MaxY = point.Y;
        Empty = false;
        return;
    }
    MinX = std::min(MinX, point.X);
    MaxX = std::max(MaxX, point.X);
    MinY = std::min(MinY, point.Y);
    MaxY = std::max(MaxY, point.Y);
}

TPlaneBounds TPlaneBounds::Of(const std::vector<TPlanePoint>& points) {
    TPlaneBounds bounds;
    for (const TPlanePoint& point : points)
        bounds.Include(point);
    return bounds;
}

TSurfaceFit::TSurfaceFit(const TPlaneBounds& bounds, const TSurfaceSize& size) {
    CheckSurfaceSize(size);
    const double margin = SurfaceMargin(size);
    const double innerWidth = std::max(size.Width - 2 * margin, 0.0);
    const double innerHeight = std::max(size.Height - 2 * margin, 0.0);
    const double spanX = bounds.Empty ? 0 : bounds.MaxX - bounds.MinX;
    const double spanY = bounds.Empty ? 0 : bounds.MaxY - bounds.MinY;
    if (!std::isfinite(spanX) || !std::isfinite(spanY))
        throw EImportError("Координаты узлов слишком велики, чтобы уместить их на карте.");
    constexpr double kUnlimited = std::numeric_limits<double>::infinity();
    const double scaleX = spanX > 0 ? innerWidth / spanX : kUnlimited;
    const double scaleY = spanY > 0 ? innerHeight / spanY : kUnlimited;
    scale_ = std::min(scaleX, scaleY);
    if (!std::isfinite(scale_))
        scale_ = 0; // a single point: it goes to the centre
    minX_ = bounds.MinX;
    minY_ = bounds.MinY;
    offsetX_ = margin + (innerWidth - spanX * scale_) / 2;
    offsetY_ = margin + (innerHeight - spanY * scale_) / 2;
}

TPlanePoint TSurfaceFit::Apply(const TPlanePoint& point) const {
    return {offsetX_ + (point.X - minX_) * scale_, offsetY_ + (point.Y - minY_) * scale_};
}

void FitToSurface(std::vector<TPlanePoint>& points, const TSurfaceSize& size) {
    const TSurfaceFit fit(TPlaneBounds::Of(points), size);
    for (TPlanePoint& point : points)
        point = fit.Apply(point);
}
