// The solver panel driving real runs on a random 25-city map: Start, Pause,
// Resume and Stop, the end by the stop criterion, refused settings, the
// counters, the clock, rolling up and the sliding options area.
#include "PanelFixture.h"

#include "core/NumberText.h"
#include "core/TSPErrors.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/untGraphicFitness.h"
#include "ui/untMain.h"
#include "ui/untResults.h"
#include "ui/untResultsUpDown.h"
#include "widgets/TBarChart.h"
#include "widgets/TCaptionBar.h"
#include "widgets/TFlatCheckBox.h"
#include "widgets/TGradientHeader.h"
#include "widgets/TImageButton.h"
#include "widgets/TSevenSegmentClock.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

solver::TTSPPopulation& Population() {
    return *frmMain->Population();
}

} // namespace

class TestResults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        panelfixture::ResetPanel();
        panelfixture::UseRandomMap(25);
    }

    void layoutAndInitialValues() {
        TfrmResults& panel = *frmResults;
        QCOMPARE(panel.width(), 312);
        QVERIFY(panel.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(panel.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(panel.ResLabel->text(), U("Результаты"));
        QCOMPARE(panel.FormCaption->height(), 27);
        QCOMPARE(panel.glWizardHeader1->height(), 5);
        QCOMPARE(panel.RollUp->toolTip(), U("Свернуть/развернуть окно"));
        QCOMPARE(panel.CloseBtn->toolTip(), U("Закрыть окно"));
        QCOMPARE(panel.Timer->toolTip(), U("Время работы генетического алгоритма"));
        QVERIFY(!panel.Timer->Active());

        QCOMPARE(panel.CountIterations->text(), U("0"));
        QCOMPARE(panel.BestEstimate->text(), U("0"));
        QCOMPARE(panel.BestPath->text(), QString());
        QVERIFY(panel.CountIterations->isReadOnly());
        QCOMPARE(panel.BestEstimate->toolTip(),
                 U("Кратчайший путь найденный за все время существования популяции"));
        QCOMPARE(panel.CrossoverCount->toolTip(), U("Всего кроссоверов в генетическом алгоритме"));

        QCOMPARE(panel.CrossoverTypePanel->currentText(), U("OP"));
        QCOMPARE(panel.CrossoverTypePanel->count(), 5);
        QCOMPARE(panel.CrossoverTypePanel->itemText(4), U("CUBX"));
        QCOMPARE(panel.MutationTypePanel->currentText(), U("Случайно"));
        QCOMPARE(panel.MutationTypePanel->itemText(4), U("Не использовать"));
        QCOMPARE(panel.SelectionTypePanel->currentText(), U("Рулетка"));
        QCOMPARE(panel.OptimizeCombo->currentText(), U("Решение постоянно"));
        QVERIFY(panel.AdaptiveCheck->isChecked());
        QVERIFY(!panel.UseElitizm->isChecked());
        QVERIFY(panel.BestPathChecked->isChecked());
        QCOMPARE(panel.AdaptiveCheck->text(), U("Использовать приспосабливающийся алгоритм"));

        QCOMPARE(panel.StartBtn->Caption(), U("Старт"));
        QCOMPARE(panel.StartBtn->ImageIndex(), 0);
        QCOMPARE(panel.StopBtn->Caption(), U("Стоп"));
        QCOMPARE(panel.StopBtn->ImageIndex(), 2);
        QVERIFY(!panel.StopBtn->isEnabled());
        QCOMPARE(panel.OpenOptionsBtn->Caption(), U("Опции"));
        QCOMPARE(panel.OpenOptionsBtn->ImageIndex(), 0);
        QCOMPARE(panel.StartBtn->size(), QSize(57, 57));

        QCOMPARE(panel.pMutationEdit->text(), U("20"));
        QCOMPARE(panel.pCrossoverEditUpDown->Position(), 80);
        QCOMPARE(panel.ParentsEditUpDown->Position(), 50);
        QVERIFY(!panel.ParentsEdit->isEnabled());
        QVERIFY(!panel.ParentsEditUpDown->isEnabled());
        QVERIFY(!panel.Label7->isEnabled());
        QCOMPARE(panel.MaxChromEditUpDown->Position(), 100);
        QCOMPARE(panel.IterationUpDown->Position(), 250);
        QCOMPARE(panel.KritStop->toolTip(), U("Итераций в кроитетрие останова"));

        // Five red bars of 0 labelled with the crossover names.
        QCOMPARE(panel.ChromSost->PointCount(panel.Series1), 5);
        for (int kind = 0; kind < 5; ++kind) {
            QCOMPARE(panel.ChromSost->PointValue(panel.Series1, kind), 0.0);
            QCOMPARE(panel.ChromSost->PointColor(panel.Series1, kind), QColor(255, 0, 0));
            QCOMPARE(panel.ChromSost->PointLabel(panel.Series1, kind),
                     panel.CrossoverTypePanel->itemText(kind));
        }
    }

    void startPauseResumeContinuesTheSamePopulation() {
        TfrmResults& panel = *frmResults;
        panel.AdaptiveCheck->setChecked(false);
        panel.OptimizeCombo->setCurrentIndex(solver::scNone);

        // Three simulated seconds pass, then the run is paused.
        panelfixture::AtGeneration(30, [&] {
            for (int i = 0; i < 3; ++i)
                panel.Timer1Timer();
            panel.StartBtnClick();
        });
        panel.StartBtnClick();
        solver::TTSPPopulation& population = Population();
        QCOMPARE(population.State(), uint8_t(solver::stPaused));
        const int32_t pausedAt = population.Generation();
        QVERIFY(pausedAt >= 30);
        QCOMPARE(panel.CountIterations->text(), QString::number(pausedAt));
        QCOMPARE(panel.StartBtn->Caption(), U("Старт"));
        QCOMPARE(panel.StartBtn->ImageIndex(), 0);
        QVERIFY(panel.StopBtn->isEnabled());
        QVERIFY(panel.Timer->Active()); // the display stays lit while paused
        QCOMPARE(panel.Seconds, 3);
        // The operator lists are usable while paused.
        QVERIFY(panel.CrossoverTypePanel->isEnabled());
        QVERIFY(panel.Label14->isEnabled());

        panel.CrossoverTypePanel->setCurrentIndex(solver::ckTriangle);
        const int pointsBefore = static_cast<int>(frmGraphicFitness->History().Count());
        panelfixture::AtGeneration(pausedAt + 20, [&] {
            // While running the operator lists are locked and Start reads "Пауза".
            QVERIFY(!panel.CrossoverTypePanel->isEnabled());
            QCOMPARE(panel.StartBtn->Caption(), U("Пауза"));
            QCOMPARE(panel.StartBtn->ImageIndex(), 1);
            panel.Timer1Timer();
            panel.StartBtnClick();
        });
        panel.StartBtnClick();
        QCOMPARE(&Population(), &population);
        QCOMPARE(population.State(), uint8_t(solver::stPaused));
        QVERIFY(population.Generation() >= pausedAt + 20);
        QCOMPARE(population.CrossoverKind(), uint8_t(solver::ckTriangle));
        QCOMPARE(panel.Seconds, 4); // the clock went on from 3
        // The fitness graph kept its points and the generations went on.
        QCOMPARE(frmGraphicFitness->History().FirstGeneration(), 1.0);
        QCOMPARE(static_cast<int>(frmGraphicFitness->History().Count()), population.Generation());
        QVERIFY(static_cast<int>(frmGraphicFitness->History().Count()) > pointsBefore);
        panel.StopBtnClick();
    }

    void pauseStopStartMakesANewPopulation() {
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(solver::scNone);
        panelfixture::AtGeneration(25, [&] {
            panel.Timer1Timer();
            panel.Timer1Timer();
            panel.StartBtnClick();
        });
        panel.StartBtnClick();
        QCOMPARE(Population().State(), uint8_t(solver::stPaused));

        panel.StopBtnClick();
        QCOMPARE(Population().State(), uint8_t(solver::stStopped));
        QVERIFY(!panel.StopBtn->isEnabled());
        QCOMPARE(panel.StartBtn->Caption(), U("Старт"));
        QCOMPARE(panel.InfoMemo->toPlainText(), U("Генетический алгоритм остановлен"));

        int32_t firstGeneration = -1;
        int seconds = -1;
        panelfixture::AtGeneration(1, [&] {
            firstGeneration = Population().Generation();
            seconds = panel.Seconds;
        });
        panelfixture::AtGeneration(10, [&] { panel.StartBtnClick(); });
        panel.StartBtnClick();
        QVERIFY(firstGeneration >= 1 && firstGeneration < 10); // counted from 0 again
        QCOMPARE(seconds, 0);                                  // the clock restarted
        QCOMPARE(frmGraphicFitness->History().FirstGeneration(), 1.0);
        QVERIFY(frmGraphicFitness->History().Count() < 25);
        panel.StopBtnClick();
    }

    void runEndedByCriterionShowsTheMessage_data() {
        QTest::addColumn<int>("criterion");
        QTest::newRow("Решение постоянно") << int(solver::scConstantBest);
        QTest::newRow("Всего поколений") << int(solver::scGenerations);
    }

    void runEndedByCriterionShowsTheMessage() {
        QFETCH(int, criterion);
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(criterion);
        panel.IterationUpDown->SetPosition(15);
        panel.StartBtnClick();

        QCOMPARE(Population().State(), uint8_t(solver::stFinished));
        QCOMPARE(
            panel.InfoMemo->toPlainText(),
            U("Критерий останова выполнен, лучшая хромосома не менялась в течении поколений!"));
        QCOMPARE(fixture::Script().Beeps, 1);
        QVERIFY(!panel.StopBtn->isEnabled());
        QCOMPARE(panel.StartBtn->Caption(), U("Старт"));
        QVERIFY(!panel.Timer->Active());
        QVERIFY(panel.CrossoverTypePanel->isEnabled());
        QCOMPARE(panel.CountIterations->text(), QString::number(Population().Generation()));
        if (criterion == solver::scGenerations)
            QCOMPARE(Population().Generation(), 15);
        QVERIFY(g_Display.ShowPath);
        QCOMPARE(panel.BestEstimate->text(),
                 QString::fromStdString(FloatToStr(Population().BestFitness())));
        QCOMPARE(panel.BestPath->text(), QString::fromStdString(Population().GetBestPathString()));
    }

    void crossoverCountShowsFiveNumbersWhenAdapting() {
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(solver::scGenerations);
        panel.IterationUpDown->SetPosition(40);

        panel.AdaptiveCheck->setChecked(true);
        panel.StartBtnClick();
        const QRegularExpression five(QStringLiteral("^(\\d+ ){5}$"));
        QVERIFY2(five.match(panel.CrossoverCount->text()).hasMatch(),
                 qPrintable(panel.CrossoverCount->text()));
        QVERIFY(five.match(panel.Adaptive->text()).hasMatch());
        QString totals;
        for (const int32_t n : Population().KindTotal())
            totals += QString::number(n) + u' ';
        QCOMPARE(panel.CrossoverCount->text(), totals);

        panel.AdaptiveCheck->setChecked(false);
        panel.StartBtnClick();
        QCOMPARE(panel.CrossoverCount->text(), QString::number(Population().CrossoverCounter()));
        QVERIFY(Population().CrossoverCounter() > 0);
        QCOMPARE(panel.MutationCount->text(), QString::number(Population().MutationCounter()));
    }

    void chromSostBarsFollowTheRunOnlyWhileTheOptionsAreOpen() {
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(solver::scGenerations);
        panel.IterationUpDown->SetPosition(40);
        panel.StartBtnClick();
        double sum = 0;
        for (int kind = 0; kind < 5; ++kind)
            sum += panel.ChromSost->PointValue(panel.Series1, kind);
        QCOMPARE(sum, 0.0); // closed: untouched

        panel.OpenOptionsBtnClick();
        panel.StartBtnClick();
        for (int kind = 0; kind < 5; ++kind) {
            QCOMPARE(panel.ChromSost->PointValue(panel.Series1, kind),
                     double(Population().KindTotal()[size_t(kind)]));
            QCOMPARE(panel.ChromSost->PointLabel(panel.Series1, kind),
                     panel.CrossoverTypePanel->itemText(kind));
        }
        panel.AdaptiveCheck->setChecked(false);
        QVERIFY(panel.ChromSost->isHidden());
        panel.AdaptiveCheck->setChecked(true);
        QVERIFY(!panel.ChromSost->isHidden());
    }

    void refusedTasksAndSettingsTouchNothing_data() {
        QTest::addColumn<int>("cities");
        QTest::addColumn<int>("population");
        QTest::addColumn<int>("elite");
        QTest::addColumn<bool>("elitism");
        QTest::newRow("no cities") << 0 << 100 << 50 << false;
        QTest::newRow("population 1") << 25 << 1 << 50 << false;
        QTest::newRow("population 0") << 25 << 0 << 50 << false;
        QTest::newRow("elite above population") << 25 << 10 << 50 << true;
    }

    void refusedTasksAndSettingsTouchNothing() {
        QFETCH(int, cities);
        QFETCH(int, population);
        QFETCH(int, elite);
        QFETCH(bool, elitism);
        TfrmResults& panel = *frmResults;
        if (cities == 0)
            g_Map.Clear();
        panel.MaxChromEditUpDown->SetPosition(population);
        panel.UseElitizm->setChecked(elitism);
        panel.ParentsEdit->setText(QString::number(elite));
        panel.InfoMemo->setPlainText(QStringLiteral("before"));

        QVERIFY_THROWS_EXCEPTION(ETSPError, panel.StartBtnClick());
        QCOMPARE(Population().State(), uint8_t(solver::stStopped));
        QCOMPARE(Population().Generation(), 0);
        QCOMPARE(panel.StartBtn->Caption(), U("Старт"));
        QVERIFY(!panel.StopBtn->isEnabled());
        QVERIFY(!panel.Timer->Active());
        QVERIFY(panel.CrossoverTypePanel->isEnabled());
        QCOMPARE(panel.InfoMemo->toPlainText(), QStringLiteral("before"));
    }

    void errorInsideARunBringsBackTheStoppedLook() {
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(solver::scNone);
        solver::TTSPPopulation& population = Population();
        population.SetOnGeneration([](solver::TTSPPopulation&, int32_t generation, double, double) {
            if (generation == 5)
                throw std::runtime_error("broken");
        });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, panel.StartBtnClick());

        QCOMPARE(population.State(), uint8_t(solver::stStopped));
        QVERIFY(!panel.StopBtn->isEnabled());
        QCOMPARE(panel.StartBtn->Caption(), U("Старт"));
        QCOMPARE(panel.StartBtn->ImageIndex(), 0);
        QVERIFY(panel.CrossoverTypePanel->isEnabled());
        QVERIFY(!panel.Timer->Active());

        // A new Start begins afresh.
        panel.OptimizeCombo->setCurrentIndex(solver::scGenerations);
        panel.IterationUpDown->SetPosition(5);
        frmMain->CreateSolver(); // the main window's handlers again
        panel.StartBtnClick();
        QCOMPARE(Population().State(), uint8_t(solver::stFinished));
        QCOMPARE(Population().Generation(), 5);
    }

    void settingsActAtOnce() {
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(solver::scNone);
        panelfixture::AtGeneration(5, [&] {
            panel.pMutationEdit->setText(QStringLiteral("35"));
            panel.pCrossoverEditUpDown->Step(+1);
            panel.OptimizeCombo->setCurrentIndex(solver::scGenerations);
            panel.UseElitizm->setChecked(true);
            panel.AdaptiveCheck->setChecked(false);
            solver::TTSPPopulation& p = Population();
            QCOMPARE(p.MutationRate(), 0.35);
            QCOMPARE(p.CrossoverRate(), 0.81);
            QCOMPARE(p.StopCriterion(), uint8_t(solver::scGenerations));
            QVERIFY(p.Elitism());
            QVERIFY(!p.AdaptiveChoice());
            QVERIFY(panel.ParentsEdit->isEnabled());
            QVERIFY(!panel.SelectionTypePanel->isEnabled());
            QVERIFY(!panel.Label14->isEnabled());
            panel.StartBtnClick();
        });
        panel.StartBtnClick();
        QCOMPARE(panel.pCrossoverEdit->text(), U("81"));
        QVERIFY(panel.ParentsEdit->isEnabled());
        QVERIFY(!panel.ParentsEditUpDown->isEnabled()); // stays disabled
        QVERIFY(!panel.Adaptive->isEnabled());
        QVERIFY(!panel.CrossoverSost->isEnabled());

        panel.OptimizeCombo->setCurrentIndex(solver::scNone);
        QVERIFY(!panel.LabelNStop->isEnabled());
        QVERIFY(!panel.KritStop->isEnabled());
        QVERIFY(!panel.IterationUpDown->isEnabled());
        panel.OptimizeCombo->setCurrentIndex(solver::scConstantBest);
        QVERIFY(panel.KritStop->isEnabled());

        panel.BestPathChecked->setChecked(false);
        QVERIFY(!panel.BestPath->isEnabled());
        QVERIFY(!panel.LabelPath->isEnabled());
        panel.StopBtnClick();
    }

    void upDownFollowsItsEdit() {
        TfrmResults& panel = *frmResults;
        panel.pMutationEdit->setText(QStringLiteral("100"));
        panel.pMutationEditUpDown->Step(+1);
        QCOMPARE(panel.pMutationEditUpDown->Position(), 100);
        panel.pMutationEdit->setText(QString()); // retyping: the last number holds
        QCOMPARE(panel.pMutationEditUpDown->Position(), 100);
        panel.pMutationEdit->setText(QStringLiteral("7"));
        QCOMPARE(panel.pMutationEditUpDown->Position(), 7);
        panel.pMutationEditUpDown->Step(-1);
        QCOMPARE(panel.pMutationEdit->text(), QStringLiteral("6"));
        // The disabled elite up-down still reads what is typed in its edit.
        panel.UseElitizm->setChecked(true);
        panel.ParentsEdit->setText(QStringLiteral("12"));
        QCOMPARE(panel.ParentsEditUpDown->Position(), 12);
    }

    void clockAfterSixtySimulatedSeconds() {
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(solver::scNone);
        QString afterMinute, afterHour, display;
        panelfixture::AtGeneration(3, [&] {
            for (int i = 0; i < 60; ++i)
                panel.Timer1Timer();
            afterMinute = panelfixture::StatusText();
            display = panel.Timer->Text();
            for (int i = 60; i < 3600; ++i)
                panel.Timer1Timer();
            afterHour = panelfixture::StatusText();
            panel.StopBtnClick();
        });
        panel.StartBtnClick();
        QCOMPARE(afterMinute, U("00:01:00"));
        QCOMPARE(display, U("00:01:00"));
        QCOMPARE(afterHour, U("01:00:00"));
        // Not running: the clock stands still.
        panel.Timer1Timer();
        QCOMPARE(panel.ClockText(), U("01:00:00"));
    }

    void rollUpAndBack() {
        TfrmResults& panel = *frmResults;
        panel.resize(panel.width(), 480);
        panel.RollUpClick();
        QCOMPARE(panel.height(), 27 + 5 + 4);
        QCOMPARE(panel.RollUp->ImageIndex(), 2);
        panel.FormCaptionDblClick();
        QCOMPARE(panel.height(), 480);
        QCOMPARE(panel.RollUp->ImageIndex(), 1);
    }

    void optionsAreaSlidesBetweenItsEndWidths() {
        TfrmResults& panel = *frmResults;
        panel.show();
        // One slide driven step by step; returns the number of steps, or -1
        // when the label was not hidden during the slide and shown after it.
        const auto slide = [&] {
            panel.OpenOptionsBtnClick();
            const bool started = panel.TimerOpen->isActive() && panel.ResLabel->isHidden();
            int steps = 0;
            while (panel.TimerOpen->isActive() && steps < 1000) {
                panel.TimerOpenTimer();
                ++steps;
            }
            return started && !panel.ResLabel->isHidden() ? steps : -1;
        };
        const int left = panel.x();
        const int closeLeft = panel.CloseBtn->x();
        QCOMPARE(slide(), 64);
        QCOMPARE(panel.width(), 632);
        QCOMPARE(panel.OpenOptionsBtn->ImageIndex(), 1);
        QCOMPARE(panel.x(), left - 32 * 5);
        QCOMPARE(panel.CloseBtn->x(), closeLeft + 64 * 5);
        QCOMPARE(panel.CloseBtn->x() + panel.CloseBtn->width(), panel.width() - 5);
        QCOMPARE(slide(), 65);
        QCOMPARE(panel.width(), 307);
        QCOMPARE(panel.OpenOptionsBtn->ImageIndex(), 0);
        QCOMPARE(slide(), 65);
        QCOMPARE(panel.width(), 632);
        QCOMPARE(slide(), 65);
        QCOMPARE(panel.width(), 307);
        panel.hide();
    }

    void mainWindowCommandsDriveThePanel() {
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(solver::scNone);

        // The tool button only shows the panel.
        frmMain->StartGAExecute();
        QVERIFY(panel.isVisible());
        QCOMPARE(Population().State(), uint8_t(solver::stStopped));
        QCOMPARE(panel.AllCities->text(), U("25"));
        panel.hide();

        // F9 shows the panel and starts; "Решить" pauses without showing it.
        panelfixture::AtGeneration(10, [] { frmMain->SolveItemClick(); });
        frmMain->StartKeyPress();
        QVERIFY(panel.isVisible());
        QCOMPARE(Population().State(), uint8_t(solver::stPaused));
        panel.hide();

        // "Решить" resumes, "Остановить" stops.
        const int32_t pausedAt = Population().Generation();
        panelfixture::AtGeneration(pausedAt + 10, [] { frmMain->StopItemClick(); });
        frmMain->SolveItemClick();
        QVERIFY(!panel.isVisible());
        QCOMPARE(Population().State(), uint8_t(solver::stStopped));
        QVERIFY(Population().Generation() >= pausedAt + 10);
        QVERIFY(!panel.StopBtn->isEnabled());
        QCOMPARE(panel.InfoMemo->toPlainText(), U("Генетический алгоритм остановлен"));
    }

    void functionKeyNinePausesFromThePanelToo() {
        TfrmResults& panel = *frmResults;
        panel.OptimizeCombo->setCurrentIndex(solver::scNone);
        panel.show();
        panel.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        // The panel has the focus while it runs; F9 there pauses.
        panelfixture::AtGeneration(10, [&] { QTest::keyClick(&panel, Qt::Key_F9); });
        QTest::keyClick(&panel, Qt::Key_F9);
        QCOMPARE(Population().State(), uint8_t(solver::stPaused));
        QVERIFY(Population().Generation() >= 10);
        panel.StopBtnClick();
        panel.hide();
    }

    void escapeAndCloseHide() {
        TfrmResults& panel = *frmResults;
        panel.show();
        QVERIFY(panel.isVisible());
        QTest::keyClick(&panel, Qt::Key_Escape);
        QVERIFY(!panel.isVisible());
        panel.show();
        panel.CloseBtnClick();
        QVERIFY(!panel.isVisible());
    }
};

TRASOLAN_GUI_TEST_MAIN(TestResults)
#include "test_results.moc"
