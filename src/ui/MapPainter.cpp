#include "ui/MapPainter.h"

#include "guibase/Text.h"
#include "map/TSPMap.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QRect>
#include <QStaticText>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <unordered_map>
#include <vector>

namespace {

// Drawing positions are the coordinates truncated toward zero; the clamp only
// keeps absurd coordinates of a hand-made file from overflowing.
int DrawPos(double value) {
    constexpr double kLimit = 1.0e8;
    if (!(value > -kLimit))
        return static_cast<int>(-kLimit);
    if (value > kLimit)
        return static_cast<int>(kLimit);
    return static_cast<int>(std::trunc(value));
}

QPoint NodePoint(const TCity& city) {
    return {DrawPos(city.X), DrawPos(city.Y)};
}

// Finds a node's list position by its ID: the last node with that ID, as the
// lookup of a road's far end has always done. With IDs equal to positions
// (every map the program makes) this is a direct index.
class TNodeLookup {
public:
    explicit TNodeLookup(const TTSPMap& map) : map_(map) {
        if (map.IdsArePositions())
            return;
        for (int32_t p = 0; p < map.Count(); ++p)
            byId_[map.City(p).ID] = p;
    }

    // -1 when no node has the ID.
    int32_t Find(int32_t id) const {
        if (map_.IdsArePositions())
            return (id >= 0 && id < map_.Count()) ? id : -1;
        const auto it = byId_.find(id);
        return it == byId_.end() ? -1 : it->second;
    }

private:
    const TTSPMap& map_;
    std::unordered_map<int32_t, int32_t> byId_;
};

// Which node IDs are selected, answered in constant time.
class TSelectionMarks {
public:
    explicit TSelectionMarks(const TTSPMap& map) : selected_(map.SelectedCities()) {
        marks_.assign(static_cast<size_t>(map.Count()), 0);
        for (const int32_t id : selected_) {
            if (id >= 0 && id < map.Count())
                marks_[static_cast<size_t>(id)] = 1;
        }
    }

    bool Contains(int32_t id) const {
        if (id >= 0 && static_cast<size_t>(id) < marks_.size())
            return marks_[static_cast<size_t>(id)] != 0;
        return selected_.Exists(id);
    }

private:
    const TIntegerArray& selected_;
    std::vector<char> marks_;
};

// Draws the picture's lines and squares straight into the pixels of the
// picture. QPainter's aliased lines go through a span callback per pixel,
// which makes tens of thousands of roads take a large part of a second; a
// plain Bresenham loop over 32-bit pixels takes a few milliseconds. On a
// high-density screen every map pixel is a block of device pixels and lines
// are drawn as thick as one map pixel.
class TPixelCanvas {
public:
    TPixelCanvas(QImage& image, qreal dpr)
        : bits_(reinterpret_cast<uint32_t*>(image.bits())), stride_(image.bytesPerLine() / 4),
          width_(image.width()), height_(image.height()), scale_(dpr),
          thickness_(std::max(1, qRound(dpr))) {}

    // A one-pixel line between two map points, both ends included.
    void Line(const QPoint& a, const QPoint& b, QRgb colour) {
        const int64_t x0 = Device(a.x()), y0 = Device(a.y());
        const int64_t x1 = Device(b.x()), y1 = Device(b.y());
        const bool flat = std::llabs(x1 - x0) >= std::llabs(y1 - y0);
        for (int k = 0; k < thickness_; ++k) {
            if (flat)
                DeviceLine(x0, y0 + k, x1, y1 + k, colour);
            else
                DeviceLine(x0 + k, y0, x1 + k, y1, colour);
        }
    }

    // The map rectangle, right and bottom edges exclusive.
    void Fill(const QRect& rect, QRgb colour) {
        const int64_t left = std::max<int64_t>(Device(rect.x()), 0);
        const int64_t top = std::max<int64_t>(Device(rect.y()), 0);
        const int64_t right = std::min<int64_t>(Device(int64_t(rect.x()) + rect.width()), width_);
        const int64_t bottom =
            std::min<int64_t>(Device(int64_t(rect.y()) + rect.height()), height_);
        for (int64_t y = top; y < bottom; ++y) {
            uint32_t* row = bits_ + y * stride_;
            for (int64_t x = left; x < right; ++x)
                row[x] = colour;
        }
    }

private:
    int64_t Device(int64_t v) const {
        return scale_ == 1.0 ? v : static_cast<int64_t>(std::floor(double(v) * scale_));
    }

    // Cuts the line to the picture (Liang-Barsky) so that a road running far
    // outside costs nothing, then walks it pixel by pixel.
    void DeviceLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, QRgb colour) {
        double t0 = 0, t1 = 1;
        const double dx = double(x1 - x0), dy = double(y1 - y0);
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {double(x0) + 1, double(width_) - double(x0), double(y0) + 1,
                             double(height_) - double(y0)};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0)
                    return;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            if (t0 > t1)
                return;
        }
        int64_t ax = x0, ay = y0, bx = x1, by = y1;
        if (t0 > 0) {
            ax = std::llround(double(x0) + t0 * dx);
            ay = std::llround(double(y0) + t0 * dy);
        }
        if (t1 < 1) {
            bx = std::llround(double(x0) + t1 * dx);
            by = std::llround(double(y0) + t1 * dy);
        }
        // Rounding may leave a cut end one pixel outside; a line between two
        // points inside the picture stays inside, so the walk needs no checks.
        ax = std::clamp<int64_t>(ax, 0, width_ - 1);
        bx = std::clamp<int64_t>(bx, 0, width_ - 1);
        ay = std::clamp<int64_t>(ay, 0, height_ - 1);
        by = std::clamp<int64_t>(by, 0, height_ - 1);
        Walk(static_cast<int>(ax), static_cast<int>(ay), static_cast<int>(bx), static_cast<int>(by),
             colour);
    }

    // Bresenham's walk between two points inside the picture.
    void Walk(int ax, int ay, int bx, int by, uint32_t colour) {
        int dx = bx - ax, dy = by - ay;
        const int sx = dx < 0 ? -1 : 1;
        const ptrdiff_t sy = dy < 0 ? -stride_ : stride_;
        dx = std::abs(dx);
        dy = std::abs(dy);
        uint32_t* pixel = bits_ + ptrdiff_t(ay) * stride_ + ax;
        if (dx >= dy) {
            int error = 2 * dy - dx;
            for (int i = 0; i <= dx; ++i) {
                *pixel = colour;
                if (error > 0) {
                    pixel += sy;
                    error -= 2 * dx;
                }
                error += 2 * dy;
                pixel += sx;
            }
        } else {
            int error = 2 * dx - dy;
            for (int i = 0; i <= dy; ++i) {
                *pixel = colour;
                if (error > 0) {
                    pixel += sx;
                    error -= 2 * dy;
                }
                error += 2 * dx;
                pixel += sy;
            }
        }
    }

    uint32_t* bits_;
    ptrdiff_t stride_;
    int64_t width_;
    int64_t height_;
    qreal scale_;
    int thickness_;
};

void DrawSurface(QImage& picture, const TMapPaintInput& input) {
    picture.fill(input.SurfaceColor);
    if (input.Background) {
        QPainter painter(&picture);
        painter.drawImage(QRect(QPoint(0, 0), input.Background->size()), *input.Background);
    }
}

void DrawGrid(TPixelCanvas& canvas, const QSize& size) {
    const QRgb colour = mapcolors::kGrid.rgb();
    for (int y = 0; y < size.height(); y += kGridStep)
        canvas.Line(QPoint(0, y), QPoint(size.width(), y), colour);
    for (int x = 0; x < size.width(); x += kGridStep)
        canvas.Line(QPoint(x, 0), QPoint(x, size.height()), colour);
}

void DrawRoads(TPixelCanvas& canvas, const TTSPMap& map, const TNodeLookup& lookup) {
    const auto& cities = map.Cities();
    const QRgb colour = mapcolors::kRoad.rgb();
    for (int32_t p = 0; p < map.Count(); ++p) {
        const TCity& city = cities[static_cast<size_t>(p)];
        const QPoint from = NodePoint(city);
        for (const int32_t id : city.Roads) {
            const int32_t q = lookup.Find(id);
            if (q < 0)
                continue; // an entry that names no node has no far end to draw to
            // A road is stored at both of its ends; its line is drawn once, from
            // the lower position, unless the other end lacks the entry.
            if (q < p && cities[static_cast<size_t>(q)].Roads.Exists(city.ID))
                continue;
            canvas.Line(from, NodePoint(cities[static_cast<size_t>(q)]), colour);
        }
    }
}

void DrawRoute(TPixelCanvas& canvas, const TTSPMap& map, const TIntegerArray& route) {
    const int32_t count = map.Count();
    const QRgb colour = mapcolors::kRoute.rgb();
    for (int32_t i = 0; i + 1 < route.Count(); ++i) {
        const int32_t a = route[i];
        const int32_t b = route[i + 1];
        // Genes are node positions; a stretch touching a node that no longer
        // exists (the map was edited after the run) is left out.
        if (a < 0 || a >= count || b < 0 || b >= count)
            continue;
        canvas.Line(NodePoint(map.City(a)), NodePoint(map.City(b)), colour);
    }
}

void DrawNodes(TPixelCanvas& canvas, const TTSPMap& map, const TSelectionMarks& selection) {
    // Each node is a 6 x 6 square: a black outline around a 4 x 4 fill.
    const QRgb outline = mapcolors::kOutline.rgb();
    const QRgb selected = mapcolors::kSelected.rgb();
    const QRgb cityFill = mapcolors::kCity.rgb();
    const QRgb transitFill = mapcolors::kTransit.rgb();
    for (const TCity& city : map.Cities()) {
        const QPoint c = NodePoint(city);
        const QRgb fill = selection.Contains(city.ID) ? selected
                          : city.ThisCity             ? cityFill
                                                      : transitFill;
        canvas.Fill(QRect(c.x() - 3, c.y() - 3, 6, 6), outline);
        canvas.Fill(QRect(c.x() - 2, c.y() - 2, 4, 4), fill);
    }
}

// Laid-out labels kept between pictures: laying out a label costs far more
// than drawing it, and a map's labels rarely change from one refresh to the
// next. Bounded, and dropped whenever the font changes.
class TLabelCache {
public:
    const QStaticText& Get(const QString& label, const QFont& font) {
        if (font != font_) {
            cache_.clear();
            font_ = font;
        }
        auto it = cache_.find(label);
        if (it == cache_.end()) {
            if (cache_.size() >= kMaxLabels)
                cache_.clear();
            QStaticText text(label);
            text.setTextFormat(Qt::PlainText);
            text.setPerformanceHint(QStaticText::AggressiveCaching);
            text.prepare(QTransform(), font);
            it = cache_.insert(label, text);
        }
        return it.value();
    }

private:
    static constexpr qsizetype kMaxLabels = 50000;
    QFont font_;
    QHash<QString, QStaticText> cache_;
};

// The cache goes with the application object, before the fonts it holds.
TLabelCache& LabelCache() {
    static TLabelCache* cache = nullptr;
    if (!cache) {
        cache = new TLabelCache;
        qAddPostRoutine([] {
            delete cache;
            cache = nullptr;
        });
    }
    return *cache;
}

void DrawNames(QImage& picture, const TTSPMap& map, const QFont& font) {
    TLabelCache& cache = LabelCache();
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(mapcolors::kName);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics(font);
    const int height = metrics.height();
    const QSize visible = picture.deviceIndependentSize().toSize();
    for (int32_t p = 0; p < map.Count(); ++p) {
        const QPoint c = NodePoint(map.City(p));
        // Top-left corner of the label above and right of the square.
        const QPoint topLeft(c.x() + 3, c.y() - 3 - height);
        if (topLeft.x() >= visible.width() || topLeft.y() >= visible.height() ||
            topLeft.y() + height < 0)
            continue; // a label starting beyond the picture cannot show
        painter.drawStaticText(topLeft, cache.Get(NodeLabel(map, p), font));
    }
}

} // namespace

QString NodeLabel(const TTSPMap& map, int32_t position) {
    const TCity& city = map.City(position);
    QString label = QString::fromStdString(city.Name);
    const TIntegerArray& selected = map.SelectedCities();
    if (selected.Count() > 0) {
        if (city.ID == selected[0])
            label += Text(" (Начальная)");
        else if (city.ID == selected[selected.Count() - 1])
            label += Text(" (Конечная)");
    }
    return label;
}

void ComposeMapPicture(const TMapPaintInput& input, QImage& picture) {
    const qreal dpr = input.DevicePixelRatio > 0 ? input.DevicePixelRatio : 1.0;
    const QSize logical = input.SurfaceSize.expandedTo(QSize(1, 1));
    const QSize physical(static_cast<int>(std::ceil(logical.width() * dpr)),
                         static_cast<int>(std::ceil(logical.height() * dpr)));
    if (picture.size() != physical || picture.format() != QImage::Format_RGB32)
        picture = QImage(physical, QImage::Format_RGB32);
    picture.setDevicePixelRatio(dpr);

    DrawSurface(picture, input);
    TPixelCanvas canvas(picture, dpr);
    if (input.ShowGrid)
        DrawGrid(canvas, logical);
    if (input.RubberBand)
        canvas.Line(input.RubberBandFrom, input.RubberBandTo, mapcolors::kRoad.rgb());
    if (!input.Map)
        return;
    const TTSPMap& map = *input.Map;
    if (input.ShowRoads)
        DrawRoads(canvas, map, TNodeLookup(map));
    if (input.Route)
        DrawRoute(canvas, map, *input.Route);
    DrawNodes(canvas, map, TSelectionMarks(map));
    if (input.ShowNames)
        DrawNames(picture, map, input.NameFont);
}
