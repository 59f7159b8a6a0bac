#pragma once
// Composition of the map picture. Everything the picture shows is passed in
// as plain inputs, so the picture can be made (and measured) without a window.
// Layers, bottom to top: surface or background picture, grid, rubber band,
// roads, best route, node squares, names.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <cstdint>

class TTSPMap;
class TIntegerArray;

struct TMapPaintInput {
    const TTSPMap* Map = nullptr;
    // Size of the surface in map pixels (device-independent pixels).
    QSize SurfaceSize{767, 446};
    // Physical pixels per map pixel of the screen the picture is shown on.
    qreal DevicePixelRatio = 1.0;
    // Background picture drawn at (0, 0), one picture pixel per map pixel;
    // null for the plain surface.
    const QImage* Background = nullptr;
    QColor SurfaceColor{240, 240, 240};
    QFont NameFont;

    bool ShowGrid = false;
    bool ShowRoads = true;
    bool ShowNames = false;
    // Node IDs of the best route, used as node positions; null or fewer than
    // two genes draws no route.
    const TIntegerArray* Route = nullptr;

    // The line of a road being dragged.
    bool RubberBand = false;
    QPoint RubberBandFrom;
    QPoint RubberBandTo;
};

// Colours of the picture.
namespace mapcolors {
inline const QColor kGrid{192, 192, 192};
inline const QColor kRoad{128, 128, 128};
inline const QColor kRoute{0, 0, 255};
inline const QColor kOutline{0, 0, 0};
inline const QColor kCity{255, 0, 0};
inline const QColor kTransit{192, 192, 192};
inline const QColor kSelected{0, 255, 0};
inline const QColor kName{0, 0, 0};
} // namespace mapcolors

// Distance between grid lines in map pixels.
inline constexpr int kGridStep = 15;

// Composes the picture into `picture`, reusing its memory when the size is
// unchanged. The picture carries the device pixel ratio of the input.
void ComposeMapPicture(const TMapPaintInput& input, QImage& picture);

// The label of a node on the map: its name, marked as the route's start or
// end when it is the first or last selected city.
QString NodeLabel(const TTSPMap& map, int32_t position);
