#pragma once
// A bar chart of one or more series whose points each carry their own value,
// colour and label. With several series the bars of one point index stand
// side by side (first series leftmost) and the point's label is written under
// the group. Bars are filled with a vertical gradient of the point's colour.
// Each series chooses what its marks above the bars say, an optional mark
// background, the axis it is scaled on (left, or the hidden right axis) and
// whether its points are listed in the legend.
//
// Qt Charts colours a whole bar set alike, so every point is its own QBarSet
// inside a stacked series per chart series, holding its value at its own
// position and 0 elsewhere. Changes are collected and applied to the chart at
// the next turn of the event loop (or by Flush()), so that clearing and
// refilling a chart, as a running solver does every generation, reuses the
// existing bars instead of rebuilding them point by point. The model getters
// below always answer at once.
//
// The bars are flat unless SetDepth() gives them a depth: then each bar is
// drawn as a box seen from above right, standing on a white floor between
// silver back and left walls (the look of a three-dimensional chart view).

#include "widgets/TChartFrame.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <utility>

enum class TMarkStyle {
    None,          // no marks
    Value,         // the value, e.g. "12,5"
    Label,         // the point's label
    LabelAndValue, // label and value, e.g. "OP 12,5"
    Percent,       // the value as a percentage of the series' total, e.g. "20 %"
};

enum class TBarAxis { Left, Right };

class QGraphicsPolygonItem;

// How a series' points read in the legend.
enum class TLegendText {
    Label,           // "OP"
    PercentAndLabel, // "20 % OP" - the point's share of the series total first
};

struct TBarSeriesOptions {
    TMarkStyle Marks = TMarkStyle::Value;
    QColor MarkBackground = Qt::white; // invalid colour = marks without a box
    TBarAxis Axis = TBarAxis::Left;    // Right = the hidden right axis
    bool InLegend = false;             // list the series' points in the legend
    TLegendText LegendText = TLegendText::Label;
    bool GradientBars = true; // false = bars filled with the plain colour
};

class TBarChart : public TChartFrame {
    Q_OBJECT
public:
    explicit TBarChart(QWidget* parent = nullptr);
    ~TBarChart() override;

    // --- Series and points ---------------------------------------------------
    int AddSeries(const QString& name, const TBarSeriesOptions& options = {});
    int SeriesCount() const { return static_cast<int>(series_.size()); }
    QString SeriesName(int series) const;
    // Appends a point; `series` must be an index AddSeries returned (others
    // are ignored).
    void AddPoint(int series, double value, const QColor& colour, const QString& label = {});
    // Changes one existing point in place.
    void SetPoint(int series, int index, double value, const QColor& colour,
                  const QString& label = {});
    void ClearSeries(int series);
    // Empties every series; the series and their options stay.
    void Clear();
    // Removes the series themselves as well.
    void RemoveAllSeries();

    int PointCount(int series) const;
    double PointValue(int series, int index) const;
    QColor PointColor(int series, int index) const;
    QString PointLabel(int series, int index) const;
    // The point's share of its series' total in percent (0 when the total is 0).
    double PointPercent(int series, int index) const;
    // The texts the chart shows for a point: its mark ("" with no marks) and
    // its legend entry.
    QString MarkText(int series, int index) const;
    QString LegendText(int series, int index) const;

    // Labels under the bar groups; by default each group shows the label of
    // the first series' point. A non-empty list replaces them.
    void SetCategoryLabels(const QStringList& labels);

    // --- Axes ----------------------------------------------------------------
    // Fixed range of the left axis (e.g. 0..100 for percentages).
    void SetLeftAxisRange(double minimum, double maximum);
    // Left axis from 0 to a rounded maximum over the series scaled on it (default).
    void SetLeftAxisAutomatic();
    void SetLeftAxisTitle(const QString& title);
    void SetLeftAxisVisible(bool visible);
    void SetLeftAxisLineVisible(bool visible);
    void SetBottomAxisTitle(const QString& title);
    // Current range of the left axis (after Flush()).
    double LeftAxisMin() const;
    double LeftAxisMax() const;

    // --- Look ----------------------------------------------------------------
    // Depth of the boxes in pixels; 0 (the default) draws flat bars.
    void SetDepth(int pixels);
    int Depth() const;

    // Applies pending changes to the chart now (tests, grabbing a picture).
    void Flush();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Impl;
    Impl* d_;
    struct Point {
        double Value = 0;
        QColor Colour;
        QString Label;
    };
    struct Series {
        QString Name;
        TBarSeriesOptions Options;
        QList<Point> Points;
    };
    QList<Series> series_;
    QStringList categoryLabels_;

    bool ValidPoint(int series, int index) const;
    void ScheduleSync();

    // Where the bars stand, in units of the bottom axis: one position per
    // point index, shared by the series side by side.
    struct BarLayout {
        int Groups = 0;    // point indices
        int Positions = 1; // at least one, so that an empty chart has an axis
        bool Grouped = false;
        int SubSlots = 1;      // a position's share per series, spacers included
        double BarWidth = 0.6; // as handed to Qt Charts
        // Centre of a series' bar relative to its position.
        double BarOffset(int series) const;
        // Width of one drawn bar.
        double DrawnBarWidth() const;
    };
    // The steps of Flush().
    BarLayout Layout() const;
    bool SameShape(const BarLayout& layout) const;
    void RebuildBars(const BarLayout& layout);
    void AddSpacer();
    void AddSeriesBars(int series, const BarLayout& layout);
    void ApplyPoints();
    void ApplyCategories(int groups);
    std::pair<double, double> ValueExtent(TBarAxis axis) const;
    void ApplyValueRanges();
    void PlaceMarks(const BarLayout& layout);
    static QRectF FreeMarkBox(const QPointF& barTop, const QSizeF& size, bool above,
                              const QList<QRectF>& placed);
    void PlaceDepthFaces(const BarLayout& layout);
    void PlaceWalls();
    int PlaceBoxFaces(int series, const BarLayout& layout, int used);
    QGraphicsPolygonItem* NewPolygonItem(qreal z);
};
