#include "ui/untGraphicFitness.h"

#include "guibase/ModalWindows.h"
#include "guibase/Text.h"
#include "widgets/TLineChart.h"

#include <QChart>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <vector>

TfrmGraphicFitness* frmGraphicFitness = nullptr;

namespace {

QList<QPointF> ToChartPoints(const std::vector<TFitnessPoint>& points) {
    QList<QPointF> out;
    out.reserve(static_cast<qsizetype>(points.size()));
    for (const TFitnessPoint& p : points)
        out.append(QPointF(p.X, p.Y));
    return out;
}

} // namespace

TfrmGraphicFitness::TfrmGraphicFitness(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmGraphicFitness"));
    setWindowTitle(Text("График изменения приспособлености особей"));
    setSizeGripEnabled(true);
    resize(774, 556);

    Chart = new TLineChart(this);
    Chart->setObjectName(QStringLiteral("Chart"));
    Chart->SetTitle(Text("График приспособленности самой лучшей и самой плохой особей"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setBold(true);
    titleFont.setPixelSize(15);
    Chart->SetTitleFont(titleFont);
    Chart->SetTitleColor(Qt::blue);
    Chart->SetFootLines(
        {Text("красная кривая - самая плохая"), Text("синяя кривая - самая хорошая")});
    Chart->SetBackgroundGradient(palette().color(QPalette::Window), QColor(192, 192, 192));
    Chart->SetLegendVisible(false);
    Series1 = Chart->AddSeries(QStringLiteral("Series1"), Qt::red);
    Series2 = Chart->AddSeries(QStringLiteral("Series2"), Qt::blue);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Chart);

    // Resizing re-thins the curves for the new width once the user pauses.
    refreshTimer_ = new QTimer(this);
    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(50);
    connect(refreshTimer_, &QTimer::timeout, this, [this] { RefreshChart(); });
}

TfrmGraphicFitness::~TfrmGraphicFitness() {
    if (frmGraphicFitness == this)
        frmGraphicFitness = nullptr;
}

void TfrmGraphicFitness::ClearSeries() {
    history_.Clear();
    chartCurrent_ = false;
    if (isVisible())
        RefreshChart();
}

void TfrmGraphicFitness::AddPoints(int32_t generation, double worst, double best) {
    // Every point is kept; the chart itself is only brought up to date when
    // somebody can see it, so a run pays for a push_back and nothing more.
    history_.Add(generation, worst, best);
    chartCurrent_ = false;
    if (isVisible() && !refreshTimer_->isActive())
        refreshTimer_->start();
}

int TfrmGraphicFitness::PlotColumns() const {
    const QRectF plot = Chart->Chart()->plotArea();
    const int columns = plot.width() > 1 ? static_cast<int>(plot.width()) : Chart->width();
    return std::max(columns, 1);
}

void TfrmGraphicFitness::RefreshChart() {
    std::vector<TFitnessPoint> worst;
    std::vector<TFitnessPoint> best;
    history_.Thin(PlotColumns(), worst, best);
    Chart->SetPoints(Series1, ToChartPoints(worst));
    Chart->SetPoints(Series2, ToChartPoints(best));
    chartCurrent_ = true;
}

void TfrmGraphicFitness::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!chartCurrent_)
        RefreshChart();
}

void TfrmGraphicFitness::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isVisible())
        refreshTimer_->start();
}

void TfrmGraphicFitness::ShowModalFromMenu() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ExecModal(*this);
}
