#include "widgets/TBarChart.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsItem>
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

// Rounded-up axis maximum leaving a little room above the tallest bar for
// its mark: 1, 2, 2.5 or 5 times a power of ten.
double NiceMaximum(double value) {
    if (!(value > 0) || !std::isfinite(value))
        return 1;
    const double wanted = value * 1.08;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (double step : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (step * power >= wanted)
            return step * power;
    return 10 * power;
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
    QList<QList<QBarSet*>> sets;
    QList<QList<TMarkItem*>> marks;
    QStringList builtCategories;
    int builtPositions = 0;

    bool syncQueued = false;
};

TBarChart::TBarChart(QWidget* parent) : TChartFrame(parent), d_(new Impl) {
    d_->left = new QValueAxis(this);
    d_->left->setLabelFormat(QStringLiteral("%g"));
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
    QChart* chart = Chart();
    const int seriesCount = SeriesCount();
    int groups = 0;
    for (const Series& s : series_)
        groups = std::max(groups, static_cast<int>(s.Points.size()));
    // Bars of one point index stand side by side, one slot per series, with
    // an empty slot between the groups when there are several series.
    const int pitch = seriesCount > 1 ? seriesCount + 1 : 1;
    const int positions = std::max(1, groups * pitch);
    const auto slot = [&](int series, int index) { return index * pitch + series; };

    // Rebuild the bar sets only when the shape changed; a refill with as many
    // points as before updates the existing bars in place.
    bool sameShape = d_->built.size() == seriesCount && d_->builtPositions == positions;
    for (int s = 0; sameShape && s < seriesCount; ++s)
        sameShape = d_->sets[s].size() == series_[s].Points.size();
    if (!sameShape) {
        for (QStackedBarSeries* old : d_->built) {
            chart->removeSeries(old);
            delete old;
        }
        for (const QList<TMarkItem*>& marks : d_->marks)
            qDeleteAll(marks);
        d_->built.clear();
        d_->sets.clear();
        d_->marks.clear();
        for (int s = 0; s < seriesCount; ++s) {
            auto* qtSeries = new QStackedBarSeries();
            qtSeries->setName(series_[s].Name);
            qtSeries->setBarWidth(seriesCount > 1 ? 0.9 : 0.6);
            QList<QBarSet*> sets;
            QList<TMarkItem*> marks;
            for (int i = 0; i < series_[s].Points.size(); ++i) {
                auto* set = new QBarSet(QString());
                QList<qreal> values(positions, 0.0);
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
        d_->builtPositions = positions;
    }

    // Values, colours and legend texts.
    for (int s = 0; s < seriesCount; ++s) {
        const Series& series = series_[s];
        for (int i = 0; i < series.Points.size(); ++i) {
            const Point& p = series.Points[i];
            QBarSet* set = d_->sets[s][i];
            const int at = slot(s, i);
            if (set->at(at) != p.Value)
                set->replace(at, p.Value);
            if (series.Options.GradientBars) {
                QLinearGradient gradient(0, 0, 0, 1);
                gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
                gradient.setColorAt(0, p.Colour.lighter(160));
                gradient.setColorAt(1, p.Colour.darker(110));
                set->setBrush(gradient);
            } else {
                set->setBrush(p.Colour);
            }
            set->setLabel(LegendText(s, i));
        }
        const QList<QLegendMarker*> markers = chart->legend()->markers(d_->built[s]);
        for (QLegendMarker* marker : markers)
            marker->setVisible(series.Options.InLegend);
    }

    // Group labels under the bars. A category axis keys its ranges by label,
    // so equal labels are told apart by trailing zero-width spaces.
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
    const double halfPitch = pitch / 2.0;
    const double centreOffset = (std::max(1, seriesCount) - 1) / 2.0;
    const double axisMin = centreOffset - halfPitch;
    const double axisMax = groups > 0 ? (groups - 1) * pitch + centreOffset + halfPitch : 0.5;
    if (categories != d_->builtCategories) {
        for (const QString& old : d_->bottom->categoriesLabels())
            d_->bottom->remove(old);
        d_->bottom->setStartValue(axisMin);
        for (int g = 0; g < groups; ++g)
            d_->bottom->append(categories[g], g * pitch + centreOffset + halfPitch);
        d_->builtCategories = categories;
    }
    d_->bottom->setRange(axisMin, std::max(axisMax, axisMin + 1));

    // Value ranges.
    const auto extent = [&](TBarAxis axis) {
        double top = 0;
        double low = 0;
        for (const Series& s : series_)
            if (s.Options.Axis == axis)
                for (const Point& p : s.Points)
                    if (std::isfinite(p.Value)) {
                        top = std::max(top, p.Value);
                        low = std::min(low, p.Value);
                    }
        return std::pair<double, double>(low < 0 ? -NiceMaximum(-low) : 0, NiceMaximum(top));
    };
    if (d_->leftFixed) {
        d_->left->setRange(d_->leftMin, d_->leftMax);
    } else {
        const auto [low, high] = extent(TBarAxis::Left);
        d_->left->setRange(low, high);
    }
    const auto [rightLow, rightHigh] = extent(TBarAxis::Right);
    d_->right->setRange(rightLow, rightHigh);

    // Marks above their bars (below for negative values), kept inside the plot.
    const QRectF plot = chart->plotArea();
    QFont markFont = font();
    for (int s = 0; s < seriesCount; ++s) {
        const Series& series = series_[s];
        for (int i = 0; i < series.Points.size(); ++i) {
            TMarkItem* mark = d_->marks[s][i];
            const QString text = MarkText(s, i);
            if (text.isEmpty() || !d_->built[s]->isVisible()) {
                mark->hide();
                continue;
            }
            mark->Set(text, series.Options.MarkBackground, markFont);
            const double value = series.Points[i].Value;
            const QPointF top = chart->mapToPosition(QPointF(slot(s, i), value), d_->built[s]);
            const QSizeF size = mark->Size();
            qreal y = value >= 0 ? top.y() - size.height() - 3 : top.y() + 3;
            y = std::clamp<qreal>(y, plot.top() - size.height(), plot.bottom());
            mark->setPos(top.x() - size.width() / 2, y);
            mark->setVisible(plot.width() > 0 && std::isfinite(value));
        }
    }
}
