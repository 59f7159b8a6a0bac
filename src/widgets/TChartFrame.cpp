#include "widgets/TChartFrame.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLinearGradient>
#include <QLocale>
#include <QVBoxLayout>

namespace {
constexpr int kMargin = 10;
constexpr int kFootGap = 4;
} // namespace

TChartFrame::TChartFrame(QWidget* parent) : QWidget(parent) {
    chart_ = new QChart();
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundRoundness(0);
    chart_->setDropShadowEnabled(false);
    // Axis labels use the program's locale (decimal comma), as the marks do.
    chart_->setLocale(QLocale());
    chart_->setLocalizeNumbers(true);
    // The plot area is left unfilled so the panel's gradient shows through.
    chart_->setPlotAreaBackgroundVisible(false);
    chart_->legend()->hide();
    // The panel's fill reaches the edges of the view.
    chart_->layout()->setContentsMargins(0, 0, 0, 0);

    view_ = new QChartView(chart_, this); // the view owns the chart
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);

    foot_ = new QGraphicsSimpleTextItem(chart_);
    foot_->setZValue(1000);
    foot_->setBrush(palette().color(QPalette::WindowText));
    foot_->hide();
    connect(chart_, &QChart::geometryChanged, this, &TChartFrame::PlaceFoot);

    SetBackgroundGradient(palette().color(QPalette::Window), QColor(192, 192, 192));
    PlaceFoot();
}

void TChartFrame::SetTitle(const QString& text) {
    chart_->setTitle(text);
}

QString TChartFrame::Title() const {
    return chart_->title();
}

void TChartFrame::SetTitleFont(const QFont& font) {
    chart_->setTitleFont(font);
}

void TChartFrame::SetTitleColor(const QColor& colour) {
    chart_->setTitleBrush(colour);
}

void TChartFrame::SetFootLines(const QStringList& lines) {
    footLines_ = lines;
    foot_->setText(lines.join(QLatin1Char('\n')));
    foot_->setVisible(!lines.isEmpty());
    PlaceFoot();
}

void TChartFrame::SetFootFont(const QFont& font) {
    foot_->setFont(font);
    PlaceFoot();
}

void TChartFrame::SetFootColor(const QColor& colour) {
    foot_->setBrush(colour);
}

void TChartFrame::SetBackgroundGradient(const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    chart_->setBackgroundBrush(gradient);
    chart_->setBackgroundPen(Qt::NoPen);
}

void TChartFrame::SetLegendVisible(bool visible) {
    chart_->legend()->setVisible(visible);
}

bool TChartFrame::LegendVisible() const {
    return chart_->legend()->isVisible();
}

void TChartFrame::SetLegendAlignment(Qt::Alignment alignment) {
    chart_->legend()->setAlignment(alignment);
}

void TChartFrame::PlaceFoot() {
    // The chart's bottom margin is widened by the foot's height, so the plot
    // and the legend keep clear of the foot lines.
    const qreal footHeight = footLines_.isEmpty() ? 0 : foot_->boundingRect().height() + kFootGap;
    const QMargins wanted(kMargin, kMargin, kMargin, kMargin + qCeil(footHeight));
    if (chart_->margins() != wanted)
        chart_->setMargins(wanted);
    const QRectF area = chart_->rect();
    foot_->setPos(area.left() + kMargin,
                  area.bottom() - kMargin / 2.0 - foot_->boundingRect().height());
}
