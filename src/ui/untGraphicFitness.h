#pragma once
// The fitness graph: the worst chromosome's length (red) and the best length
// (blue) of the population, generation by generation. Filled while a run goes
// on, shown modally from the main window's menu.

#include "ui/FitnessHistory.h"

#include <QDialog>

#include <cstdint>

class QTimer;
class TLineChart;

class TfrmGraphicFitness : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGraphicFitness(QWidget* parent = nullptr);
    ~TfrmGraphicFitness() override;

    // Empties both curves (a fresh run starts).
    void ClearSeries();
    // One generation: (generation, worst) to Series1, (generation, best) to Series2.
    void AddPoints(int32_t generation, double worst, double best);
    // The menu command: shows the window modally with the points so far.
    void ShowModalFromMenu();

    // Hands the chart the curves thinned to its width (also on show and resize).
    void RefreshChart();

    const TFitnessHistory& History() const { return history_; }

    TLineChart* Chart = nullptr;
    int Series1 = 0; // worst, red
    int Series2 = 1; // best, blue

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Pixel columns of the plot: the chart never gets more than two points
    // per column and curve.
    int PlotColumns() const;

    TFitnessHistory history_;
    QTimer* refreshTimer_ = nullptr;
    bool chartCurrent_ = false;
};

extern TfrmGraphicFitness* frmGraphicFitness;
