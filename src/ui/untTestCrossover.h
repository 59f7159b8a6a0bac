#pragma once
// The crossover test's chart: for the five crossover kinds and the
// self-adapting choice, the best length, the run time and the number of
// generations of one run each, as percentages of their sums.

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

class TBarChart;

// The six measurements of one test; index 5 is the self-adapting run.
struct TCrossoverTestResults {
    static constexpr int kRuns = 6;
    std::array<QString, kRuns> Names;   // "OP" … "CUBX", and anything for index 5
    std::array<double, kRuns> Result{}; // best length
    std::array<double, kRuns> Time{};   // run time as a fraction of a day
    std::array<double, kRuns> Generations{};
    std::array<QColor, kRuns> Colours;
};

// value × 100 / sum, or 0 when the sum is 0 (every entry 0: nothing to share).
double SharePercent(double value, double sum);

class TfrmTestCrossover : public QWidget {
    Q_OBJECT
public:
    explicit TfrmTestCrossover(QWidget* parent = nullptr);
    ~TfrmTestCrossover() override;

    // Clears the three series and fills them with the percentages, labels and
    // colours of the test; a measurement whose sum is 0 gets bars of height 0
    // and a foot line that says so.
    void ShowResults(const TCrossoverTestResults& results);

    TBarChart* Chart1 = nullptr;
    int Series1 = 0; // result, on the hidden right axis
    int Series2 = 1; // time
    int Series3 = 2; // generations

    static QStringList BaseFootLines();
};

extern TfrmTestCrossover* frmTestCrossover;
