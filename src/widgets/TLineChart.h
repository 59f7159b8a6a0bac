#pragma once
// A line chart: series of (x, y) points drawn as plain lines (no markers, no
// marks), a value axis whose minimum stays at 0 with an automatic maximum, an
// automatic x axis, a title and foot lines; the legend is hidden.
// SetPoints replaces a series' points in one step (QXYSeries::replace), so a
// caller may hand it thousands of points per update.

#include "widgets/TChartFrame.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

QT_BEGIN_NAMESPACE
class QLineSeries;
class QValueAxis;
QT_END_NAMESPACE

class TLineChart : public TChartFrame {
    Q_OBJECT
public:
    explicit TLineChart(QWidget* parent = nullptr);

    int AddSeries(const QString& name, const QColor& colour);
    int SeriesCount() const { return static_cast<int>(series_.size()); }

    // Replaces every point of the series. Unknown series indices are ignored.
    void SetPoints(int series, const QList<QPointF>& points);
    // Adds one point at the end. Qt Charts lays the whole line out again for
    // every added point, so a long series that grows each step is better
    // kept by the caller and handed over (thinned) with SetPoints.
    void AppendPoint(int series, const QPointF& point);
    int PointCount(int series) const;
    QList<QPointF> Points(int series) const;
    // Empties every series; the series stay.
    void Clear();

    void SetLeftAxisTitle(const QString& title);
    void SetBottomAxisTitle(const QString& title);

    QLineSeries* Series(int series) const;
    QValueAxis* LeftAxis() const { return axisY_; }
    QValueAxis* BottomAxis() const { return axisX_; }

private:
    // Bounds of all finite points, kept up to date by AppendPoint without a
    // scan, recomputed by SetPoints and Clear.
    void RecomputeBounds();
    void Include(const QPointF& point);
    void ApplyRanges();

    bool hasBounds_ = false;
    double minX_ = 0;
    double maxX_ = 0;
    double maxY_ = 0;

    QList<QLineSeries*> series_;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
};
