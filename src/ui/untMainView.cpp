// The map view: RedrawMap composes the picture off-screen and the paint box
// only copies it, so the view never shows a half-drawn state.

#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/MapPainter.h"
#include "ui/TrasolanApplication.h"
#include "ui/untMain.h"

#include <QMouseEvent>
#include <QPainter>

#include <type_traits>

TMapView::TMapView(TfrmMain* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TMapView::ShowPicture(const QImage& picture) {
    picture_ = picture;
    repaint();
}

void TMapView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(event->rect(), palette().color(QPalette::Button));
        return;
    }
    const QRect area = event->rect();
    const qreal dpr = picture_.devicePixelRatio();
    const QRectF source(area.x() * dpr, area.y() * dpr, area.width() * dpr, area.height() * dpr);
    painter.drawImage(QRectF(area), picture_, source);
}

namespace {

QPoint MapPoint(const QMouseEvent* event) {
    // Map pixels are the view's own pixels; a fraction (high-density
    // screens) is dropped, as positions on the map are whole pixels.
    const QPointF position = event->position();
    return {static_cast<int>(position.x()), static_cast<int>(position.y())};
}

QPoint ScreenPoint(const QMouseEvent* event) {
    return event->globalPosition().toPoint();
}

} // namespace

void TMapView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = MapPoint(event);
    RunGuarded([&] {
        owner_->RoadsMouseDown(event->button(), event->modifiers(), p.x(), p.y(),
                               ScreenPoint(event));
    });
}

void TMapView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = MapPoint(event);
    RunGuarded(
        [&] { owner_->RoadsMouseMove(event->modifiers(), p.x(), p.y(), ScreenPoint(event)); });
}

void TMapView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = MapPoint(event);
    RunGuarded([&] {
        owner_->RoadsMouseUp(event->button(), event->modifiers(), p.x(), p.y(), ScreenPoint(event));
    });
}

void TMapView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The window system reports press, release, double click, press,
    // release; Qt folds the second press into the double click, so it is
    // handled here after the double click itself.
    if (event->button() == Qt::LeftButton)
        RunGuarded([&] { owner_->RoadsDblClick(ScreenPoint(event)); });
    mousePressEvent(event);
}

namespace {

// A fingerprint of everything the picture shows (FNV-1a over the inputs).
class TFingerprint {
public:
    void Add(const void* data, size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) {
            hash_ ^= bytes[i];
            hash_ *= 1099511628211ull;
        }
    }
    template <typename T> void Add(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        Add(&value, sizeof value);
    }
    uint64_t Value() const { return hash_; }

private:
    uint64_t hash_ = 14695981039346656037ull;
};

} // namespace

TMapPaintInput TfrmMain::PaintInput() const {
    TMapPaintInput input;
    input.Map = &g_Map;
    input.SurfaceSize = hasBackground_ ? background_.size() : Roads->size();
    input.DevicePixelRatio = Roads->devicePixelRatioF();
    input.Background = hasBackground_ ? &background_ : nullptr;
    input.SurfaceColor = Roads->palette().color(QPalette::Button);
    input.NameFont = Roads->font();
    input.ShowGrid = GridVisible();
    input.ShowRoads = g_Display.ShowRoads;
    input.ShowNames = g_Display.ShowCityName;
    if (g_Display.ShowPath && g_Map.MatrixBuilt() && population_) {
        const int32_t best = population_->BestIndex();
        if (best >= 0 && best < population_->ChromosomeCount())
            input.Route = &population_->Chromosome(best).Genes;
    }
    input.RubberBand = RoadStartID != -1 && RoadEndID == -1;
    input.RubberBandFrom = QPoint(RoadStartX, RoadStartY);
    input.RubberBandTo = QPoint(RoadCurX, RoadCurY);
    return input;
}

uint64_t TfrmMain::PictureFingerprint(const TMapPaintInput& input) const {
    TFingerprint print;
    print.Add(g_Map.Version());
    print.Add(g_Map.Count());
    // Names and kinds change in place without a new map version.
    for (const TCity& city : g_Map.Cities()) {
        print.Add(city.Name.data(), city.Name.size());
        print.Add(city.Name.size());
        print.Add(city.ThisCity);
    }
    const auto& selected = g_Map.SelectedCities().Items();
    print.Add(selected.data(), selected.size() * sizeof(int32_t));
    print.Add(selected.size());
    print.Add(input.SurfaceSize.width());
    print.Add(input.SurfaceSize.height());
    print.Add(input.DevicePixelRatio);
    print.Add(input.Background ? input.Background->cacheKey() : 0);
    print.Add(input.SurfaceColor.rgba());
    const QString font = input.NameFont.toString();
    print.Add(font.constData(), size_t(font.size()) * sizeof(QChar));
    print.Add(input.ShowGrid);
    print.Add(input.ShowRoads);
    print.Add(input.ShowNames);
    if (input.Route) {
        const auto& genes = input.Route->Items();
        print.Add(genes.data(), genes.size() * sizeof(int32_t));
        print.Add(genes.size());
    } else {
        print.Add(size_t(-1));
    }
    print.Add(input.RubberBand);
    print.Add(input.RubberBandFrom);
    print.Add(input.RubberBandTo);
    return print.Value();
}

void TMapView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    owner_->RoadsMouseLeave();
}

void TfrmMain::RedrawMap() {
    if (!Roads)
        return;
    ShowDisplayFlagsInMenu();
    const TMapPaintInput input = PaintInput();
    // The view holds the previous picture; let it go first so that the
    // composition reuses that memory instead of copying it.
    Roads->ReleasePicture();
    ComposeMapPicture(input, picture_);
    pictureFingerprint_ = PictureFingerprint(input);
    Roads->ShowPicture(picture_);
}

void TfrmMain::ShowDisplayFlagsInMenu() {
    // The flags change behind the menu's back too (a map file brings its own,
    // a run turns the route on); the check marks always tell what is drawn.
    if (ShowPathItem)
        ShowPathItem->setChecked(g_Display.ShowPath);
    if (ShowRoadsItem)
        ShowRoadsItem->setChecked(g_Display.ShowRoads);
    if (ShowCityNameItem)
        ShowCityNameItem->setChecked(g_Display.ShowCityName);
}

void TfrmMain::RefreshMap() {
    if (!Roads)
        return;
    // Only a picture whose content would differ is composed again: on a map
    // of thousands of nodes that is most of the refresh's cost.
    if (!picture_.isNull() && PictureFingerprint(PaintInput()) == pictureFingerprint_) {
        Roads->update();
        return;
    }
    RedrawMap();
}
