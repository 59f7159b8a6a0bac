#pragma once
// The chromosome-state chart: five bars, one per crossover kind, with the
// number of children of that kind the population has admitted while the
// self-adapting choice was on. Filled when it is opened from the menu.

#include <QDialog>

#include <array>
#include <cstdint>

class TBarChart;

class TfrmChromSost : public QDialog {
    Q_OBJECT
public:
    explicit TfrmChromSost(QWidget* parent = nullptr);
    ~TfrmChromSost() override;

    // Five bars with these values, labelled with the solver panel's crossover
    // names, in red.
    void Fill(const std::array<int32_t, 5>& kindTotal);
    // The menu command: fills from the current population and shows the
    // window modally.
    void ShowModalFromMenu();

    TBarChart* Chart = nullptr;
    int Series1 = 0;
};

extern TfrmChromSost* frmChromSost;
