// The fitness graph (thinned curves that keep every column's extremes), the
// chromosome-state chart, and the crossover test driving six runs through the
// solver panel.
#include "PanelFixture.h"

#include "core/NumberText.h"
#include "core/TSPErrors.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/FitnessHistory.h"
#include "ui/untChromSost.h"
#include "ui/untGraphicFitness.h"
#include "ui/untMain.h"
#include "ui/untResults.h"
#include "ui/untResultsUpDown.h"
#include "ui/untTestCrossover.h"
#include "widgets/TBarChart.h"
#include "widgets/TFlatCheckBox.h"
#include "widgets/TLineChart.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

double SeriesSum(const TBarChart& chart, int series) {
    double sum = 0;
    for (int i = 0; i < chart.PointCount(series); ++i)
        sum += chart.PointValue(series, i);
    return sum;
}

// Closes the modal window that is about to open once it is showing.
void CloseWhenShown(QDialog* dialog, std::function<void()> check = {}) {
    QTimer::singleShot(0, dialog, [dialog, check] {
        if (check)
            check();
        dialog->accept();
    });
}

} // namespace

class TestCharts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        panelfixture::ResetPanel();
        panelfixture::UseRandomMap(12);
    }

    // --- The thinning store -------------------------------------------------------

    void historyKeepsShortCurvesWhole() {
        TFitnessHistory history;
        for (int g = 1; g <= 100; ++g)
            history.Add(g, 1000 - g, 500 - g);
        std::vector<TFitnessPoint> worst, best;
        history.Thin(400, worst, best);
        QCOMPARE(worst.size(), std::size_t(100));
        QCOMPARE(best.size(), std::size_t(100));
        QCOMPARE(worst.front(), (TFitnessPoint{1, 999}));
        QCOMPARE(best.back(), (TFitnessPoint{100, 400}));
        QCOMPARE(history.MaxValue(), 999.0);
    }

    void historyThinsToTwoPointsPerColumnAndKeepsTheExtremes() {
        TFitnessHistory history;
        const int count = 1'000'000;
        for (int g = 1; g <= count; ++g) {
            // A jagged worst curve with one spike, a falling best curve.
            const double worst = 5000 + 100 * std::sin(g * 0.37) + (g == 777'777 ? 9000 : 0);
            const double best = 4000.0 * count / (count + g);
            history.Add(g, worst, best);
        }
        QCOMPARE(history.Count(), std::size_t(count));

        std::vector<TFitnessPoint> worst, best;
        QElapsedTimer clock;
        clock.start();
        history.Thin(700, worst, best);
        QVERIFY(worst.size() <= 2 * 700);
        QVERIFY(best.size() <= 2 * 700);
        QVERIFY(worst.size() > 700);

        // Ordered by generation, and the spike and both ends of the best curve
        // survive, so the picture keeps its shape and the axis its range.
        QVERIFY(
            std::is_sorted(worst.begin(), worst.end(), [](auto& a, auto& b) { return a.X < b.X; }));
        const auto top = std::max_element(worst.begin(), worst.end(),
                                          [](auto& a, auto& b) { return a.Y < b.Y; });
        QCOMPARE(top->X, 777'777.0);
        QCOMPARE(best.front().X, 1.0);
        const auto low =
            std::min_element(best.begin(), best.end(), [](auto& a, auto& b) { return a.Y < b.Y; });
        QCOMPARE(low->X, double(count));
        QCOMPARE(history.MaxValue(), top->Y);
        qInfo("thinning %d points to %zu took %lld ms", count, worst.size(),
              static_cast<long long>(clock.elapsed()));
    }

    void historyPlacesAnOlderGenerationInOrder() {
        TFitnessHistory history;
        history.Add(1, 10, 5);
        history.Add(3, 30, 5);
        history.Add(2, 20, 5);
        std::vector<TFitnessPoint> worst, best;
        history.Thin(100, worst, best);
        QCOMPARE(worst.size(), std::size_t(3));
        QCOMPARE(worst[1], (TFitnessPoint{2, 20}));
        history.Clear();
        QVERIFY(history.Empty());
        QCOMPARE(history.MaxValue(), 0.0);
    }

    // --- The fitness graph ----------------------------------------------------------

    void fitnessGraphLayout() {
        TfrmGraphicFitness& window = *frmGraphicFitness;
        QCOMPARE(window.windowTitle(), U("График изменения приспособлености особей"));
        QCOMPARE(window.size(), QSize(774, 556));
        QCOMPARE(window.Chart->Title(),
                 U("График приспособленности самой лучшей и самой плохой особей"));
        QCOMPARE(window.Chart->FootLines(), QStringList({U("красная кривая - самая плохая"),
                                                         U("синяя кривая - самая хорошая")}));
        QVERIFY(!window.Chart->LegendVisible());
    }

    void fitnessGraphBeforeAnyRunIsEmptyFromZero() {
        bool checked = false;
        CloseWhenShown(frmGraphicFitness, [&] {
            QCOMPARE(frmGraphicFitness->Chart->PointCount(frmGraphicFitness->Series1), 0);
            QCOMPARE(frmGraphicFitness->Chart->PointCount(frmGraphicFitness->Series2), 0);
            QCOMPARE(frmGraphicFitness->Chart->LeftAxis()->min(), 0.0);
            checked = true;
        });
        frmGraphicFitness->ShowModalFromMenu();
        QVERIFY(checked);
    }

    void fitnessGraphShowsTheRunOpenedDuringAPause() {
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(solver::scNone);
        panelfixture::AtGeneration(3000, [&] { panel.StartBtnClick(); });
        panel.StartBtnClick();
        const int32_t pausedAt = frmMain->Population()->Generation();

        int worstPoints = 0;
        double lastX = 0, lastBest = 0;
        CloseWhenShown(frmGraphicFitness, [&] {
            TLineChart& chart = *frmGraphicFitness->Chart;
            worstPoints = chart.PointCount(frmGraphicFitness->Series1);
            const QList<QPointF> best = chart.Points(frmGraphicFitness->Series2);
            lastX = best.isEmpty() ? 0 : best.back().x();
            lastBest = best.isEmpty() ? 0 : best.back().y();
            QCOMPARE(chart.LeftAxis()->min(), 0.0);
        });
        frmGraphicFitness->ShowModalFromMenu();
        QCOMPARE(static_cast<int>(frmGraphicFitness->History().Count()), pausedAt);
        QVERIFY(worstPoints > 0);
        QVERIFY2(worstPoints <= 2 * frmGraphicFitness->width(), "never more than 2 per column");
        QVERIFY(lastX > pausedAt - 10);
        QCOMPARE(lastBest, frmMain->Population()->BestFitness());

        // Resuming after the window was closed keeps the points and adds more.
        panelfixture::AtGeneration(pausedAt + 50, [&] { panel.StopBtnClick(); });
        panel.StartBtnClick();
        QVERIFY(static_cast<int>(frmGraphicFitness->History().Count()) >= pausedAt + 50);
        QCOMPARE(frmGraphicFitness->History().FirstGeneration(), 1.0);
    }

    // --- The chromosome-state chart -------------------------------------------------

    void chromSostWithoutAdaptingShowsFiveZeroBars() {
        TfrmResults& panel = *frmResults;
        panel.AdaptiveCheck->setChecked(false);
        panel.OptimizeCombo->setCurrentIndex(solver::scGenerations);
        panel.IterationUpDown->SetPosition(20);
        panel.StartBtnClick();

        TfrmChromSost& window = *frmChromSost;
        CloseWhenShown(&window);
        window.ShowModalFromMenu();
        QCOMPARE(window.windowTitle(), U("Состояние хромосом при решении"));
        QCOMPARE(window.Chart->PointCount(window.Series1), 5);
        const QStringList names = {U("OP"), U("PMX"), U("Triangle"), U("SOP"), U("CUBX")};
        for (int kind = 0; kind < 5; ++kind) {
            QCOMPARE(window.Chart->PointValue(window.Series1, kind), 0.0);
            QCOMPARE(window.Chart->PointLabel(window.Series1, kind), names[kind]);
            QCOMPARE(window.Chart->PointColor(window.Series1, kind), QColor(255, 0, 0));
        }
    }

    void chromSostShowsTheAdmittedChildrenOfEachKind() {
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(solver::scGenerations);
        panel.IterationUpDown->SetPosition(60);
        panel.StartBtnClick();
        TfrmChromSost& window = *frmChromSost;
        CloseWhenShown(&window);
        window.ShowModalFromMenu();
        double sum = 0;
        for (int kind = 0; kind < 5; ++kind) {
            const double value = window.Chart->PointValue(window.Series1, kind);
            QCOMPARE(value, double(frmMain->Population()->KindTotal()[size_t(kind)]));
            sum += value;
        }
        QVERIFY(sum > 0);
        QCOMPARE(window.Chart->MarkText(window.Series1, 0),
                 QString::fromStdString(FloatToStr(window.Chart->PointValue(window.Series1, 0))));
    }

    // --- The crossover test ---------------------------------------------------------

    void crossoverTestRunsSixKindsAndCharts() {
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(solver::scGenerations);
        panel.IterationUpDown->SetPosition(30);
        panel.AdaptiveCheck->setChecked(true);

        frmMain->TestCrossoversExecute();
        QCOMPARE(fixture::Script().Questions,
                 QStringList{U("Сейчас будет произведен тест, пожалуйста ничего не нажимайте!")});

        TfrmTestCrossover& window = *frmTestCrossover;
        QVERIFY(window.isVisible());
        QVERIFY(!panel.isVisible());
        QVERIFY(panel.AdaptiveCheck->isChecked()); // restored
        QCOMPARE(panel.CrossoverTypePanel->currentIndex(), int(solver::ckCUBX));
        QCOMPARE(window.windowTitle(), U("Тест кроссоверов"));
        QCOMPARE(window.Chart1->Title(), U("Тест кроссоверов генетического алгоритма"));

        TBarChart& chart = *window.Chart1;
        for (const int series : {window.Series1, window.Series3}) {
            QCOMPARE(chart.PointCount(series), 6);
            QVERIFY(std::abs(SeriesSum(chart, series) - 100) < 1e-9);
        }
        QCOMPARE(chart.PointCount(window.Series2), 6);
        // Every run of 30 generations took less than a second: no time shares.
        const double timeSum = SeriesSum(chart, window.Series2);
        QVERIFY(timeSum == 0 || std::abs(timeSum - 100) < 1e-9);
        if (timeSum == 0)
            QVERIFY(chart.FootLines().size() > 3);

        QVERIFY(chart.PointLabel(window.Series1, 5).startsWith(U("Adaptive ")));
        QVERIFY(chart.PointLabel(window.Series1, 0).startsWith(U("OP ")));
        QVERIFY(chart.PointLabel(window.Series1, 4).startsWith(U("CUBX ")));
        QCOMPARE(chart.PointLabel(window.Series3, 5), U("30")); // 30 generations each
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(chart.PointValue(window.Series3, i), 100.0 / 6);
            QCOMPARE(chart.PointColor(window.Series1, i), chart.PointColor(window.Series3, i));
        }
        QCOMPARE(chart.FootLines().mid(0, 3), TfrmTestCrossover::BaseFootLines());
        // The sixth run's best length is the one the panel shows.
        QCOMPARE(chart.PointLabel(window.Series1, 5), U("Adaptive ") + panel.BestEstimate->text());
        window.close();
    }

    void crossoverTestStartedDuringARunBeginsWhenThatRunHasStopped() {
        TfrmResults& panel = *frmResults;
        frmTestCrossover->Chart1->Clear();
        panel.OptimizeCombo->setCurrentIndex(solver::scNone);
        panelfixture::AtGeneration(10, [&] {
            // From the menu, inside the run's message pump.
            frmMain->TestCrossoversExecute();
            // Stopped as by the Stop button; the test waits for the loop.
            QCOMPARE(frmMain->Population()->State(), uint8_t(solver::stStopped));
            QCOMPARE(frmTestCrossover->Chart1->PointCount(frmTestCrossover->Series1), 0);
            panel.OptimizeCombo->setCurrentIndex(solver::scGenerations);
            panel.IterationUpDown->SetPosition(10);
        });
        panel.StartBtnClick();
        QCOMPARE(frmTestCrossover->Chart1->PointCount(frmTestCrossover->Series1), 0);
        QTRY_VERIFY(frmTestCrossover->isVisible());
        TBarChart& chart = *frmTestCrossover->Chart1;
        QCOMPARE(chart.PointCount(frmTestCrossover->Series3), 6);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(chart.PointLabel(frmTestCrossover->Series3, i), U("10"));
        frmTestCrossover->close();
    }

    void crossoverTestCancelChangesNothing() {
        TfrmResults& panel = *frmResults;
        fixture::Script().QuestionAnswer = false;
        frmTestCrossover->Chart1->Clear();
        panel.CrossoverTypePanel->setCurrentIndex(solver::ckPMX);
        frmMain->TestCrossoversExecute();
        QCOMPARE(frmMain->Population()->State(), uint8_t(solver::stStopped));
        QCOMPARE(frmMain->Population()->Generation(), 0);
        QCOMPARE(panel.CrossoverTypePanel->currentIndex(), int(solver::ckPMX));
        QVERIFY(!frmTestCrossover->isVisible());
        QCOMPARE(frmTestCrossover->Chart1->PointCount(frmTestCrossover->Series1), 0);
    }

    void crossoverTestRefusedTaskLeavesThePanelOpen() {
        TfrmResults& panel = *frmResults;
        g_Map.Clear();
        panel.AdaptiveCheck->setChecked(true);
        QVERIFY_THROWS_EXCEPTION(ETSPError, frmMain->TestCrossoversExecute());
        QVERIFY(panel.isVisible());
        QVERIFY(!panel.AdaptiveCheck->isChecked());
        QCOMPARE(panel.CrossoverTypePanel->currentIndex(), int(solver::ckOP));
        panel.hide();
    }

    void crossoverChartSharesAndZeroSums() {
        TCrossoverTestResults results;
        const QStringList names = {U("OP"), U("PMX"), U("Triangle"), U("SOP"), U("CUBX"), {}};
        for (int i = 0; i < 6; ++i) {
            results.Names[size_t(i)] = names[i];
            results.Result[size_t(i)] = 100;
            results.Time[size_t(i)] = 0;
            results.Generations[size_t(i)] = 10 * (i + 1);
            results.Colours[size_t(i)] = QColor(10 * i, 20, 30);
        }
        results.Result[1] = 200; // twice as long as the others
        frmTestCrossover->ShowResults(results);
        TBarChart& chart = *frmTestCrossover->Chart1;
        QCOMPARE(chart.PointValue(frmTestCrossover->Series1, 1),
                 2 * chart.PointValue(frmTestCrossover->Series1, 0));
        QCOMPARE(chart.PointLabel(frmTestCrossover->Series1, 1), U("PMX 200"));
        QCOMPARE(chart.PointLabel(frmTestCrossover->Series1, 5), U("Adaptive 100"));
        QCOMPARE(chart.PointValue(frmTestCrossover->Series3, 5), 60 * 100.0 / 210);
        QCOMPARE(chart.PointLabel(frmTestCrossover->Series2, 0), QString());
        for (int i = 0; i < 6; ++i)
            QCOMPARE(chart.PointValue(frmTestCrossover->Series2, i), 0.0);
        QVERIFY(chart.FootLines().size() == 4);
        QVERIFY(chart.FootLines().back().startsWith(U("2 столбец")));
        QCOMPARE(SharePercent(5, 0), 0.0);
        QCOMPARE(SharePercent(5, 20), 25.0);
    }
};

TRASOLAN_GUI_TEST_MAIN(TestCharts)
#include "test_charts.moc"
