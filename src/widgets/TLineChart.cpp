#include "widgets/TLineChart.h"

#include "widgets/ChartScale.h"

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

TLineChart::TLineChart(QWidget* parent) : TChartFrame(parent) {
    axisX_ = new QValueAxis(this);
    // An explicit precision: with the locale's numbers on, Qt Charts 6.4
    // draws no labels at all for a bare "%g"; ten digits keep route lengths
    // in the millions out of exponent form.
    axisX_->setLabelFormat(QStringLiteral("%.10g"));
    axisY_ = new QValueAxis(this);
    axisY_->setLabelFormat(QStringLiteral("%.10g"));
    Chart()->addAxis(axisX_, Qt::AlignBottom);
    Chart()->addAxis(axisY_, Qt::AlignLeft);
    SetLegendVisible(false);
    ApplyRanges();
}

int TLineChart::AddSeries(const QString& name, const QColor& colour) {
    auto* series = new QLineSeries();
    series->setName(name);
    QPen pen(colour);
    pen.setWidthF(1.5);
    series->setPen(pen);
    series->setPointsVisible(false);
    series->setPointLabelsVisible(false);
    Chart()->addSeries(series);
    series->attachAxis(axisX_);
    series->attachAxis(axisY_);
    series_.append(series);
    return SeriesCount() - 1;
}

QLineSeries* TLineChart::Series(int series) const {
    return series >= 0 && series < SeriesCount() ? series_[series] : nullptr;
}

void TLineChart::SetPoints(int series, const QList<QPointF>& points) {
    if (QLineSeries* s = Series(series)) {
        s->replace(points);
        RecomputeBounds();
    }
}

void TLineChart::AppendPoint(int series, const QPointF& point) {
    if (QLineSeries* s = Series(series)) {
        s->append(point);
        const double oldMinX = minX_, oldMaxX = maxX_, oldMaxY = maxY_;
        const bool had = hasBounds_;
        Include(point);
        if (!had || minX_ != oldMinX || maxX_ != oldMaxX || maxY_ != oldMaxY)
            ApplyRanges();
    }
}

int TLineChart::PointCount(int series) const {
    const QLineSeries* s = Series(series);
    return s ? static_cast<int>(s->count()) : 0;
}

QList<QPointF> TLineChart::Points(int series) const {
    const QLineSeries* s = Series(series);
    return s ? s->points() : QList<QPointF>();
}

void TLineChart::Clear() {
    for (QLineSeries* s : series_)
        s->clear();
    RecomputeBounds();
}

void TLineChart::SetLeftAxisTitle(const QString& title) {
    axisY_->setTitleText(title);
    axisY_->setTitleVisible(!title.isEmpty());
}

void TLineChart::SetBottomAxisTitle(const QString& title) {
    axisX_->setTitleText(title);
    axisX_->setTitleVisible(!title.isEmpty());
}

void TLineChart::Include(const QPointF& p) {
    // Points that are not finite numbers are drawn by nobody and scale nothing.
    if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
        return;
    if (!hasBounds_) {
        minX_ = maxX_ = p.x();
        maxY_ = p.y();
        hasBounds_ = true;
        return;
    }
    minX_ = std::min(minX_, p.x());
    maxX_ = std::max(maxX_, p.x());
    maxY_ = std::max(maxY_, p.y());
}

void TLineChart::RecomputeBounds() {
    hasBounds_ = false;
    for (const QLineSeries* s : series_) {
        const QList<QPointF> points = s->points(); // shared, not copied
        for (const QPointF& p : points)
            Include(p);
    }
    ApplyRanges();
}

void TLineChart::ApplyRanges() {
    // Value axis from 0 up to a readable value at or above the largest value;
    // x axis over the points' extent.
    if (!hasBounds_) {
        ApplyRange(axisX_, 0, 1);
        ApplyRange(axisY_, 0, 1);
        return;
    }
    // The x axis ends on a readable value too, which also spares a re-layout
    // of every line on most appended points.
    const double maxX = maxX_ > minX_ ? maxX_ : minX_ + 1;
    ApplyRange(axisX_, minX_, RoundUpToStep(maxX, NiceStep(minX_, maxX)));
    const double maxY = maxY_ > 0 ? maxY_ : 1;
    ApplyRange(axisY_, 0, RoundUpToStep(maxY, NiceStep(0, maxY)));
}
