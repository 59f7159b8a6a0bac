#pragma once
// What the bar and line charts share: an antialiased QChartView, a title with
// its own font and colour, left-aligned foot lines drawn inside the chart's
// panel under the plot (QChart has no footer of its own), a panel filled with
// a vertical gradient towards silver, and a legend that can be hidden or put
// at the bottom. The plot area itself stays unfilled, so the panel's gradient
// shows through it.

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QGraphicsSimpleTextItem;
QT_END_NAMESPACE

class TChartFrame : public QWidget {
    Q_OBJECT
public:
    explicit TChartFrame(QWidget* parent = nullptr);

    QChart* Chart() const { return chart_; }
    QChartView* View() const { return view_; }

    // Title; empty text = no title.
    void SetTitle(const QString& text);
    QString Title() const;
    void SetTitleFont(const QFont& font);
    void SetTitleColor(const QColor& colour);

    // Lines of text at the bottom left of the panel, in the order given.
    void SetFootLines(const QStringList& lines);
    QStringList FootLines() const { return footLines_; }
    void SetFootFont(const QFont& font);
    void SetFootColor(const QColor& colour);

    // Panel fill, top to bottom. Default: the palette's window colour to silver.
    void SetBackgroundGradient(const QColor& top, const QColor& bottom);

    void SetLegendVisible(bool visible);
    bool LegendVisible() const;
    void SetLegendAlignment(Qt::Alignment alignment);

protected:
    // Keeps the foot lines at the bottom left whenever the chart changes size.
    void PlaceFoot();

private:
    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QGraphicsSimpleTextItem* foot_ = nullptr;
    QStringList footLines_;
};
