#include "widgets/TBarChart.h"

#include "widgets/ChartScale.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsItem>
#include <QGraphicsPolygonItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Number text as the marks show it: up to three decimals, no trailing zeros,
// the locale's separators.
QString FormatNumber(double value, int decimals) {
    const QLocale locale;
    QString text = locale.toString(value, 'f', decimals);
    const QString point = locale.decimalPoint();
    if (decimals > 0 && text.contains(point)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(point.size());
    }
    if (text == QStringLiteral("-0"))
        text = QStringLiteral("0");
    return text;
}

QString FormatPercent(double percent) {
    return FormatNumber(percent, 2) + QStringLiteral(" %");
}

// Axis maximum a little above the tallest bar, so that its mark fits, rounded
// up to a readable tick value.
double NiceMaximum(double value) {
    if (!(value > 0) || !std::isfinite(value))
        return 1;
    const double wanted = value * 1.08;
    return RoundUpToStep(wanted, NiceStep(0, wanted));
}

// A mark: text in an optional box, drawn above (or, for a negative value,
// below) its bar.
class TMarkItem : public QGraphicsItem {
public:
    explicit TMarkItem(QGraphicsItem* parent) : QGraphicsItem(parent) { setZValue(900); }

    void Set(const QString& text, const QColor& background, const QFont& font) {
        if (text == text_ && background == background_ && font == font_)
            return;
        prepareGeometryChange();
        text_ = text;
        background_ = background;
        font_ = font;
        const QFontMetricsF metrics(font_);
        size_ = QSizeF(metrics.horizontalAdvance(text_) + 6, metrics.height() + 2);
    }
    QSizeF Size() const { return size_; }

    QRectF boundingRect() const override { return {QPointF(0, 0), size_}; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        const QRectF box = boundingRect().adjusted(0.5, 0.5, -0.5, -0.5);
        if (background_.isValid()) {
            painter->setPen(QPen(QColor(128, 128, 128), 1));
            painter->setBrush(background_);
            painter->drawRect(box);
        }
        painter->setFont(font_);
        painter->setPen(Qt::black);
        painter->drawText(boundingRect(), Qt::AlignCenter, text_);
    }

private:
    QString text_;
    QColor background_;
    QFont font_;
    QSizeF size_;
};

} // namespace

struct TBarChart::Impl {
    QValueAxis* left = nullptr;
    QValueAxis* right = nullptr;
    QCategoryAxis* bottom = nullptr;
    bool leftFixed = false;
    double leftMin = 0;
    double leftMax = 100;

    // What is built in the chart: one stacked series per chart series, one
    // bar set and one mark per point.
    QList<QStackedBarSeries*> built;
    QList<QStackedBarSeries*> spacers; // empty series that make the gaps between groups
    QList<QList<QBarSet*>> sets;
    QList<QList<TMarkItem*>> marks;
    QStringList builtCategories;
    int builtPositions = 0;

    bool syncQueued = false;

    // The three-dimensional look: walls behind the bars, a top and a side
    // face per bar.
    int depth = 0;
    QList<QGraphicsPolygonItem*> walls;
    QList<QGraphicsPolygonItem*> faces;
};

TBarChart::TBarChart(QWidget* parent) : TChartFrame(parent), d_(new Impl) {
    d_->left = new QValueAxis(this);
    // An explicit precision: with the locale's numbers on, Qt Charts 6.4
    // draws no labels at all for a bare "%g"; ten digits keep route lengths
    // in the millions out of exponent form.
    d_->left->setLabelFormat(QStringLiteral("%.10g"));
    d_->right = new QValueAxis(this);
    d_->right->setVisible(false);
    d_->bottom = new QCategoryAxis(this);
    d_->bottom->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    d_->bottom->setGridLineVisible(false);
    Chart()->addAxis(d_->left, Qt::AlignLeft);
    Chart()->addAxis(d_->right, Qt::AlignRight);
    Chart()->addAxis(d_->bottom, Qt::AlignBottom);
    Chart()->legend()->setShowToolTips(true);
    // Marks follow their bars whenever the plot area moves or resizes.
    connect(Chart(), &QChart::plotAreaChanged, this, [this] { Flush(); });
    Flush();
}

TBarChart::~TBarChart() {
    delete d_;
}

// --- Model -------------------------------------------------------------------

int TBarChart::AddSeries(const QString& name, const TBarSeriesOptions& options) {
    series_.append(Series{name, options, {}});
    ScheduleSync();
    return SeriesCount() - 1;
}

QString TBarChart::SeriesName(int series) const {
    return series >= 0 && series < SeriesCount() ? series_[series].Name : QString();
}

void TBarChart::AddPoint(int series, double value, const QColor& colour, const QString& label) {
    if (series < 0 || series >= SeriesCount())
        return;
    series_[series].Points.append(Point{value, colour, label});
    ScheduleSync();
}

void TBarChart::SetPoint(int series, int index, double value, const QColor& colour,
                         const QString& label) {
    if (!ValidPoint(series, index))
        return;
    series_[series].Points[index] = Point{value, colour, label};
    ScheduleSync();
}

void TBarChart::ClearSeries(int series) {
    if (series < 0 || series >= SeriesCount())
        return;
    series_[series].Points.clear();
    ScheduleSync();
}

void TBarChart::Clear() {
    for (Series& s : series_)
        s.Points.clear();
    ScheduleSync();
}

void TBarChart::RemoveAllSeries() {
    series_.clear();
    ScheduleSync();
}

bool TBarChart::ValidPoint(int series, int index) const {
    return series >= 0 && series < SeriesCount() && index >= 0 &&
           index < series_[series].Points.size();
}

int TBarChart::PointCount(int series) const {
    return series >= 0 && series < SeriesCount() ? static_cast<int>(series_[series].Points.size())
                                                 : 0;
}

double TBarChart::PointValue(int series, int index) const {
    return ValidPoint(series, index) ? series_[series].Points[index].Value : 0.0;
}

QColor TBarChart::PointColor(int series, int index) const {
    return ValidPoint(series, index) ? series_[series].Points[index].Colour : QColor();
}

QString TBarChart::PointLabel(int series, int index) const {
    return ValidPoint(series, index) ? series_[series].Points[index].Label : QString();
}

double TBarChart::PointPercent(int series, int index) const {
    if (!ValidPoint(series, index))
        return 0;
    double total = 0;
    for (const Point& p : series_[series].Points)
        total += p.Value;
    if (total == 0 || !std::isfinite(total))
        return 0;
    return series_[series].Points[index].Value * 100.0 / total;
}

QString TBarChart::MarkText(int series, int index) const {
    if (!ValidPoint(series, index))
        return {};
    const Point& p = series_[series].Points[index];
    switch (series_[series].Options.Marks) {
    case TMarkStyle::None:
        return {};
    case TMarkStyle::Value:
        return FormatNumber(p.Value, 3);
    case TMarkStyle::Label:
        return p.Label;
    case TMarkStyle::LabelAndValue:
        return p.Label.isEmpty() ? FormatNumber(p.Value, 3)
                                 : p.Label + QLatin1Char(' ') + FormatNumber(p.Value, 3);
    case TMarkStyle::Percent:
        return FormatPercent(PointPercent(series, index));
    }
    return {};
}

QString TBarChart::LegendText(int series, int index) const {
    if (!ValidPoint(series, index))
        return {};
    const Point& p = series_[series].Points[index];
    if (series_[series].Options.LegendText == TLegendText::PercentAndLabel)
        return FormatPercent(PointPercent(series, index)) + QLatin1Char(' ') + p.Label;
    return p.Label;
}

void TBarChart::SetCategoryLabels(const QStringList& labels) {
    categoryLabels_ = labels;
    ScheduleSync();
}

// --- Axes --------------------------------------------------------------------

void TBarChart::SetLeftAxisRange(double minimum, double maximum) {
    d_->leftFixed = true;
    d_->leftMin = minimum;
    d_->leftMax = maximum > minimum ? maximum : minimum + 1;
    ScheduleSync();
}

void TBarChart::SetLeftAxisAutomatic() {
    d_->leftFixed = false;
    ScheduleSync();
}

void TBarChart::SetLeftAxisTitle(const QString& title) {
    d_->left->setTitleText(title);
    d_->left->setTitleVisible(!title.isEmpty());
}

void TBarChart::SetLeftAxisVisible(bool visible) {
    d_->left->setVisible(visible);
}

void TBarChart::SetLeftAxisLineVisible(bool visible) {
    d_->left->setLineVisible(visible);
}

void TBarChart::SetBottomAxisTitle(const QString& title) {
    d_->bottom->setTitleText(title);
    d_->bottom->setTitleVisible(!title.isEmpty());
}

double TBarChart::LeftAxisMin() const {
    return d_->left->min();
}

double TBarChart::LeftAxisMax() const {
    return d_->left->max();
}

// --- Applying the model to the chart -------------------------------------------

void TBarChart::ScheduleSync() {
    if (d_->syncQueued)
        return;
    d_->syncQueued = true;
    QMetaObject::invokeMethod(this, &TBarChart::Flush, Qt::QueuedConnection);
}

void TBarChart::showEvent(QShowEvent* event) {
    Flush();
    TChartFrame::showEvent(event);
}

void TBarChart::Flush() {
    d_->syncQueued = false;
    const BarLayout layout = Layout();
    if (!SameShape(layout))
        RebuildBars(layout);
    ApplyPoints();
    ApplyCategories(layout.Groups);
    ApplyValueRanges();
    PlaceMarks(layout);
    PlaceDepthFaces(layout);
}

// One position per point index. Qt Charts itself divides a position among all
// bar series of the chart, in the order they were added, and puts their bars
// side by side. With several series an empty series at each end keeps a gap
// between neighbouring groups while the bars of one group stand close
// together, centred over their label.
TBarChart::BarLayout TBarChart::Layout() const {
    BarLayout layout;
    for (const Series& s : series_)
        layout.Groups = std::max(layout.Groups, static_cast<int>(s.Points.size()));
    layout.Positions = std::max(1, layout.Groups);
    layout.Grouped = SeriesCount() > 1;
    layout.SubSlots = layout.Grouped ? SeriesCount() + 2 : 1;
    // A grouped series shares its position, so its bars may fill it.
    layout.BarWidth = layout.Grouped ? 0.92 : 0.6;
    return layout;
}

double TBarChart::BarLayout::BarOffset(int series) const {
    return Grouped ? (series + 1 + 0.5) / SubSlots - 0.5 : 0.0;
}

double TBarChart::BarLayout::DrawnBarWidth() const {
    return Grouped ? BarWidth / SubSlots : BarWidth;
}

// A refill with as many points as before updates the existing bars in place;
// only a change of shape rebuilds them.
bool TBarChart::SameShape(const BarLayout& layout) const {
    bool same = d_->built.size() == SeriesCount() && d_->builtPositions == layout.Positions;
    for (int s = 0; same && s < SeriesCount(); ++s)
        same = d_->sets[s].size() == series_[s].Points.size();
    return same;
}

void TBarChart::RebuildBars(const BarLayout& layout) {
    QChart* chart = Chart();
    for (QStackedBarSeries* old : d_->built) {
        chart->removeSeries(old);
        delete old;
    }
    for (QStackedBarSeries* spacer : d_->spacers) {
        chart->removeSeries(spacer);
        delete spacer;
    }
    d_->spacers.clear();
    for (const QList<TMarkItem*>& marks : d_->marks)
        qDeleteAll(marks);
    d_->built.clear();
    d_->sets.clear();
    d_->marks.clear();

    if (layout.Grouped)
        AddSpacer();
    for (int s = 0; s < SeriesCount(); ++s)
        AddSeriesBars(s, layout);
    if (layout.Grouped)
        AddSpacer();
    d_->builtPositions = layout.Positions;
}

void TBarChart::AddSpacer() {
    auto* spacer = new QStackedBarSeries();
    Chart()->addSeries(spacer);
    spacer->attachAxis(d_->bottom);
    spacer->attachAxis(d_->left);
    d_->spacers.append(spacer);
}

void TBarChart::AddSeriesBars(int s, const BarLayout& layout) {
    QChart* chart = Chart();
    auto* qtSeries = new QStackedBarSeries();
    qtSeries->setName(series_[s].Name);
    // Close, with a hairline between neighbours of one colour.
    qtSeries->setBarWidth(layout.BarWidth);
    QList<QBarSet*> sets;
    QList<TMarkItem*> marks;
    for (int i = 0; i < series_[s].Points.size(); ++i) {
        auto* set = new QBarSet(QString());
        QList<qreal> values(layout.Positions, 0.0);
        set->append(values);
        set->setPen(Qt::NoPen); // zero-height bars must leave no line
        sets.append(set);
        marks.append(new TMarkItem(chart));
    }
    qtSeries->append(sets);
    chart->addSeries(qtSeries);
    qtSeries->attachAxis(d_->bottom);
    qtSeries->attachAxis(series_[s].Options.Axis == TBarAxis::Right ? d_->right : d_->left);
    d_->built.append(qtSeries);
    d_->sets.append(sets);
    d_->marks.append(marks);
}

// Values, colours and legend texts.
void TBarChart::ApplyPoints() {
    for (int s = 0; s < SeriesCount(); ++s) {
        const Series& series = series_[s];
        for (int i = 0; i < series.Points.size(); ++i) {
            const Point& p = series.Points[i];
            QBarSet* set = d_->sets[s][i];
            // Only what changed is handed on: every setter makes the bars
            // lay out and repaint again.
            if (set->at(i) != p.Value)
                set->replace(i, p.Value);
            QBrush brush(p.Colour);
            if (series.Options.GradientBars) {
                QLinearGradient gradient(0, 0, 0, 1);
                gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
                gradient.setColorAt(0, p.Colour.lighter(160));
                gradient.setColorAt(1, p.Colour.darker(110));
                brush = QBrush(gradient);
            }
            if (set->brush() != brush)
                set->setBrush(brush);
            const QString legend = LegendText(s, i);
            if (set->label() != legend)
                set->setLabel(legend);
        }
        const QList<QLegendMarker*> markers = Chart()->legend()->markers(d_->built[s]);
        for (QLegendMarker* marker : markers)
            marker->setVisible(series.Options.InLegend);
    }
}

// Group labels under the bars. A category axis keys its ranges by label, so
// equal labels are told apart by trailing zero-width spaces.
void TBarChart::ApplyCategories(int groups) {
    QStringList categories;
    for (int g = 0; g < groups; ++g) {
        QString label;
        if (g < categoryLabels_.size())
            label = categoryLabels_[g];
        else
            for (const Series& s : series_)
                if (g < s.Points.size()) {
                    label = s.Points[g].Label;
                    break;
                }
        while (categories.contains(label))
            label += QChar(0x200B);
        categories.append(label);
    }
    const double axisMin = -0.5;
    const double axisMax = std::max(1, groups) - 0.5;
    if (categories != d_->builtCategories) {
        for (const QString& old : d_->bottom->categoriesLabels())
            d_->bottom->remove(old);
        d_->bottom->setStartValue(axisMin);
        for (int g = 0; g < groups; ++g)
            d_->bottom->append(categories[g], g + 0.5);
        d_->builtCategories = categories;
    }
    d_->bottom->setRange(axisMin, axisMax);
}

// From the lowest to a rounded highest value of the series on one axis, 0
// included.
std::pair<double, double> TBarChart::ValueExtent(TBarAxis axis) const {
    double top = 0;
    double low = 0;
    for (const Series& s : series_)
        if (s.Options.Axis == axis)
            for (const Point& p : s.Points)
                if (std::isfinite(p.Value)) {
                    top = std::max(top, p.Value);
                    low = std::min(low, p.Value);
                }
    return {low < 0 ? -NiceMaximum(-low) : 0, NiceMaximum(top)};
}

void TBarChart::ApplyValueRanges() {
    if (d_->leftFixed) {
        ApplyRange(d_->left, d_->leftMin, d_->leftMax);
    } else {
        const auto [low, high] = ValueExtent(TBarAxis::Left);
        ApplyRange(d_->left, low, high);
    }
    const auto [rightLow, rightHigh] = ValueExtent(TBarAxis::Right);
    ApplyRange(d_->right, rightLow, rightHigh);
}

// Marks above their bars (below for negative values). A mark that would cover
// one placed before it moves up (down) past that one, so that the marks of
// neighbouring bars stay readable.
void TBarChart::PlaceMarks(const BarLayout& layout) {
    QChart* chart = Chart();
    const QRectF plot = chart->plotArea();
    const QFont markFont = font();
    QList<QRectF> placed;
    for (int s = 0; s < SeriesCount(); ++s) {
        const Series& series = series_[s];
        for (int i = 0; i < series.Points.size(); ++i) {
            TMarkItem* mark = d_->marks[s][i];
            const QString text = MarkText(s, i);
            const double value = series.Points[i].Value;
            if (text.isEmpty() || !std::isfinite(value) || plot.width() <= 0) {
                mark->hide();
                continue;
            }
            mark->Set(text, series.Options.MarkBackground, markFont);
            // With depth the mark sits above the box's top face.
            const QPointF top =
                chart->mapToPosition(QPointF(i + layout.BarOffset(s), value), d_->built[s]) +
                QPointF(d_->depth / 2.0, value >= 0 ? -d_->depth : 0);
            const QRectF box = FreeMarkBox(top, mark->Size(), value >= 0, placed);
            placed.append(box);
            mark->setPos(box.topLeft());
            mark->show();
        }
    }
}

QRectF TBarChart::FreeMarkBox(const QPointF& barTop, const QSizeF& size, bool above,
                              const QList<QRectF>& placed) {
    QRectF box(barTop.x() - size.width() / 2,
               above ? barTop.y() - size.height() - 3 : barTop.y() + 3, size.width(),
               size.height());
    for (int guard = 0; guard < placed.size(); ++guard) {
        bool moved = false;
        for (const QRectF& other : placed)
            if (box.intersects(other)) {
                box.moveTop(above ? other.top() - size.height() - 1 : other.bottom() + 1);
                moved = true;
            }
        if (!moved)
            break;
    }
    return box;
}

void TBarChart::SetDepth(int pixels) {
    d_->depth = std::max(0, pixels);
    ScheduleSync();
}

int TBarChart::Depth() const {
    return d_->depth;
}

void TBarChart::PlaceDepthFaces(const BarLayout& layout) {
    PlaceWalls();
    // Two faces per bar: the top (lighter) and the right side (darker).
    int used = 0;
    if (d_->depth > 0 && Chart()->plotArea().width() > 0) {
        for (int s = 0; s < SeriesCount(); ++s)
            used = PlaceBoxFaces(s, layout, used);
    }
    for (int f = used; f < d_->faces.size(); ++f)
        d_->faces[f]->hide();
}

QGraphicsPolygonItem* TBarChart::NewPolygonItem(qreal z) {
    auto* item = new QGraphicsPolygonItem(Chart());
    item->setZValue(z);
    return item;
}

// Walls: a white floor, silver outlines of the back and left walls; they lie
// under the bars, the faces over them and under the marks.
void TBarChart::PlaceWalls() {
    const double d = d_->depth;
    const QRectF plot = Chart()->plotArea();
    if (d_->walls.isEmpty()) {
        for (int w = 0; w < 3; ++w)
            d_->walls.append(NewPolygonItem(-0.5));
        d_->walls[0]->setBrush(Qt::white);
        d_->walls[0]->setPen(QPen(QColor(192, 192, 192)));
        for (int w = 1; w < 3; ++w) {
            d_->walls[w]->setBrush(Qt::NoBrush);
            d_->walls[w]->setPen(QPen(QColor(192, 192, 192)));
        }
    }
    const qreal l = plot.left(), r = plot.right(), t = plot.top(), b = plot.bottom();
    d_->walls[0]->setPolygon(QPolygonF({{l, b}, {r - d, b}, {r, b - d}, {l + d, b - d}}));
    d_->walls[1]->setPolygon(QPolygonF({{l + d, t}, {r, t}, {r, b - d}, {l + d, b - d}}));
    d_->walls[2]->setPolygon(QPolygonF({{l, t + d}, {l + d, t}, {l + d, b - d}, {l, b}}));
    for (QGraphicsPolygonItem* wall : d_->walls)
        wall->setVisible(d > 0 && plot.width() > 0);
}

// Places the top and side faces of one series' boxes, reusing the face items
// from `used` on; returns how many are in use afterwards.
int TBarChart::PlaceBoxFaces(int s, const BarLayout& layout, int used) {
    QChart* chart = Chart();
    QStackedBarSeries* qtSeries = d_->built.value(s);
    if (!qtSeries)
        return used;
    const double d = d_->depth;
    const auto nextFace = [&]() {
        if (used == d_->faces.size())
            d_->faces.append(NewPolygonItem(800));
        QGraphicsPolygonItem* face = d_->faces[used++];
        face->setPen(Qt::NoPen);
        face->show();
        return face;
    };
    const double barWidth = layout.DrawnBarWidth();
    const qreal half = (chart->mapToPosition(QPointF(barWidth, 0), qtSeries).x() -
                        chart->mapToPosition(QPointF(0, 0), qtSeries).x()) /
                       2;
    const QList<Point>& points = series_[s].Points;
    for (int i = 0; i < points.size(); ++i) {
        const Point& p = points[i];
        if (!std::isfinite(p.Value) || p.Value <= 0)
            continue;
        const QPointF centreTop =
            chart->mapToPosition(QPointF(i + layout.BarOffset(s), p.Value), qtSeries);
        const QPointF centreBase =
            chart->mapToPosition(QPointF(i + layout.BarOffset(s), 0), qtSeries);
        const qreal xl = centreTop.x() - half, xr = centreTop.x() + half;
        const qreal yt = centreTop.y(), yb = centreBase.y();
        QGraphicsPolygonItem* top = nextFace();
        top->setBrush(p.Colour.lighter(140));
        top->setPolygon(QPolygonF({{xl, yt}, {xr, yt}, {xr + d, yt - d}, {xl + d, yt - d}}));
        QGraphicsPolygonItem* side = nextFace();
        side->setBrush(p.Colour.darker(150));
        side->setPolygon(QPolygonF({{xr, yt}, {xr + d, yt - d}, {xr + d, yb - d}, {xr, yb}}));
    }
    return used;
}
