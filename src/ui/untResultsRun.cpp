// The solver panel driving a run: Start/Pause/Resume, Stop, the run-time
// clock, the settings that act at once and the per-generation display.
#include "ui/untGraphicFitness.h"
#include "ui/untMain.h"
#include "ui/untResults.h"

#include "core/NumberText.h"
#include "guibase/Seams.h"
#include "guibase/Text.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/TrasolanApplication.h"
#include "ui/untResultsUpDown.h"
#include "widgets/TBarChart.h"
#include "widgets/TCaptionBar.h"
#include "widgets/TFlatCheckBox.h"
#include "widgets/TImageButton.h"
#include "widgets/TSevenSegmentClock.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

const QColor kBarColour(255, 0, 0);
// Counters are written into the edits at most this often during a run.
constexpr qint64 kDisplayIntervalMs = 40;

// Five counts, each followed by a space: "3 0 12 5 1 ".
QString KindsText(const std::array<int32_t, 5>& counts) {
    QString text;
    for (const int32_t count : counts) {
        text += QString::number(count);
        text += QLatin1Char(' ');
    }
    return text;
}

} // namespace

solver::TTSPPopulation* ResultsPopulation() {
    return frmMain ? frmMain->Population() : nullptr;
}

void TfrmResults::ConnectHandlers() {
    connect(FormCaption, &TCaptionBar::pressed, this, [this] { FormCaptionMouseDown(); });
    connect(FormCaption, &TCaptionBar::doubleClicked, this, [this] { FormCaptionDblClick(); });
    connect(Timer, &TSevenSegmentClock::pressed, this, [this] { TimerMouseDown(); });
    connect(RollUp, &TImageButton::clicked, this, [this] { RollUpClick(); });
    connect(CloseBtn, &TImageButton::clicked, this, [this] { CloseBtnClick(); });
    connect(OpenOptionsBtn, &TImageButton::clicked, this, [this] { OpenOptionsBtnClick(); });
    connect(TimerOpen, &QTimer::timeout, this, [this] { TimerOpenTimer(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(routeTimer_, &QTimer::timeout, this, [this] { FlushRoute(); });
    // Start and Stop may raise (an unsolvable task, refused settings, an error
    // inside the run); the message is shown without unwinding through Qt.
    connect(StartBtn, &TImageButton::clicked, this,
            [this] { RunGuarded([this] { StartBtnClick(); }); });
    connect(StopBtn, &TImageButton::clicked, this,
            [this] { RunGuarded([this] { StopBtnClick(); }); });
    connect(OptimizeCombo, &QComboBox::currentIndexChanged, this,
            [this] { OptimizeComboChange(); });
    connect(CrossoverTypePanel, &QComboBox::currentIndexChanged, this,
            [this] { CrossoverTypePanelChange(); });
    connect(MutationTypePanel, &QComboBox::currentIndexChanged, this,
            [this] { MutationTypePanelChange(); });
    connect(pMutationEdit, &QLineEdit::textChanged, this, [this] { pMutationEditChange(); });
    connect(pCrossoverEdit, &QLineEdit::textChanged, this, [this] { pCrossoverEditChange(); });
    // Like a click handler, these run also when the box is set from code
    // (the crossover test relies on it).
    connect(BestPathChecked, &QCheckBox::toggled, this, [this] { BestPathCheckedClick(); });
    connect(UseElitizm, &QCheckBox::toggled, this, [this] { UseElitizmClick(); });
    connect(AdaptiveCheck, &QCheckBox::toggled, this, [this] { AdaptiveCheckClick(); });
}

void TfrmResults::SetOperatorControlsEnabled(bool enabled) {
    Label1->setEnabled(enabled);
    Label2->setEnabled(enabled);
    Label14->setEnabled(enabled);
    CrossoverTypePanel->setEnabled(enabled);
    MutationTypePanel->setEnabled(enabled);
    SelectionTypePanel->setEnabled(enabled);
}

void TfrmResults::CopySettings(solver::TTSPPopulation& population) const {
    population.SetCrossoverRate(pCrossoverEditUpDown->Position() / 100.0);
    population.SetMutationRate(pMutationEditUpDown->Position() / 100.0);
    population.SetPopulationSize(MaxChromEditUpDown->Position());
    population.SetCrossoverKind(static_cast<uint8_t>(CrossoverTypePanel->currentIndex()));
    population.SetMutationKind(static_cast<uint8_t>(MutationTypePanel->currentIndex()));
    population.SetSelectionKind(static_cast<uint8_t>(SelectionTypePanel->currentIndex()));
    population.SetStopCriterion(static_cast<uint8_t>(OptimizeCombo->currentIndex()));
    population.SetStopGenerations(IterationUpDown->Position());
    population.SetEliteSize(ParentsEditUpDown->Position());
    population.SetElitism(UseElitizm->isChecked());
    population.SetAdaptiveChoice(AdaptiveCheck->isChecked());
}

void TfrmResults::StartBtnClick() {
    solver::TTSPPopulation* population = ResultsPopulation();
    if (!population && frmMain) {
        frmMain->CreateSolver();
        population = ResultsPopulation();
    }
    if (!population)
        return;

    if (population->State() == solver::stRunning) {
        PauseRun(*population);
        return;
    }
    const bool fresh =
        population->State() == solver::stStopped || population->State() == solver::stFinished;
    CheckRunCanStart(*population, fresh);
    ShowRunStarting(fresh);
    DriveRun(*population);
}

void TfrmResults::PauseRun(solver::TTSPPopulation& population) {
    // The loop further up the call stack ends after this generation.
    StartBtn->SetImageIndex(0);
    StartBtn->SetCaption(Text("Старт"));
    population.SetState(solver::stPaused);
}

void TfrmResults::CheckRunCanStart(solver::TTSPPopulation& population, bool fresh) const {
    if (fresh)
        g_Map.CheckTask(); // a refusal leaves before anything is touched
    // Settings the solver cannot run with (fewer than two chromosomes, an
    // elite larger than the population) are refused here as well, before the
    // panel changes its look. The settings are plain values until Run reads
    // them, so copying them first changes nothing else.
    CopySettings(population);
    population.CheckSettings();
}

void TfrmResults::ShowRunStarting(bool fresh) {
    if (fresh) {
        if (frmGraphicFitness)
            frmGraphicFitness->ClearSeries();
        g_Display.ShowPath = true;
        InfoMemo->setPlainText(Text("Генетический алгоритм запущен, пожалуйста подождите..."));
        Timer->SetActive(true);
        StartBtn->SetImageIndex(1);
        StartBtn->SetCaption(Text("Пауза"));
        StopBtn->setEnabled(true);
        Seconds = 0;
        Minutes = 0;
        Hours = 0;
        Timer->SetTime(0, 0, 0);
        CountIterations->setText(QStringLiteral("0"));
        shownMutations_ = -1;
        shownCrossovers_ = -1;
        shownKindsValid_ = false;
    } else {
        StartBtn->SetImageIndex(1);
        StartBtn->SetCaption(Text("Пауза"));
    }
    SetOperatorControlsEnabled(false);
}

// Runs the population until it is paused, stopped or finished, then shows
// how it ended.
void TfrmResults::DriveRun(solver::TTSPPopulation& population) {
    displayClock_.invalidate(); // the first generation shows at once
    try {
        population.Run();
    } catch (...) {
        FlushGeneration();
        FlushRoute();
        RecoverFromRunError(population);
        throw;
    }
    FlushGeneration();
    FlushRoute();

    if (population.State() != solver::stPaused)
        Timer->SetActive(false);
    if (population.State() == solver::stFinished) {
        StopBtnClick();
        InfoMemo->setPlainText(
            Text("Критерий останова выполнен, лучшая хромосома не менялась в течении поколений!"));
        seams::Beep();
    }
    g_Display.ShowPath = true;
    SetOperatorControlsEnabled(true);
}

void TfrmResults::RecoverFromRunError(solver::TTSPPopulation& population) {
    // The loop was left by an exception: nothing is running any more, so the
    // panel and the population go back to "stopped" and a new Start begins
    // afresh instead of finding a run that no loop drives.
    if (population.State() == solver::stRunning || population.State() == solver::stPaused)
        population.Stop();
    Timer->SetActive(false);
    StopBtnClick();
    SetOperatorControlsEnabled(true);
}

void TfrmResults::StopBtnClick() {
    solver::TTSPPopulation* population = ResultsPopulation();
    if (population &&
        (population->State() == solver::stRunning || population->State() == solver::stPaused))
        population->Stop();
    StopBtn->setEnabled(false);
    StartBtn->SetImageIndex(0);
    StartBtn->SetCaption(Text("Старт"));
    InfoMemo->setPlainText(Text("Генетический алгоритм остановлен"));
    g_Display.ShowPath = true;
}

QString TfrmResults::ClockText() const {
    return QStringLiteral("%1:%2:%3")
        .arg(Hours, 2, 10, QLatin1Char('0'))
        .arg(Minutes, 2, 10, QLatin1Char('0'))
        .arg(Seconds, 2, 10, QLatin1Char('0'));
}

void TfrmResults::Timer1Timer() {
    const solver::TTSPPopulation* population = ResultsPopulation();
    if (!population || population->State() != solver::stRunning)
        return;
    if (Seconds == 59) {
        Seconds = 0;
        if (Minutes == 59) {
            Minutes = 0;
            ++Hours;
        } else {
            ++Minutes;
        }
    } else {
        ++Seconds;
    }
    Timer->SetTime(Hours, Minutes, Seconds);
    if (frmMain)
        frmMain->SetElapsedTimeText(ClockText());
}

void TfrmResults::pMutationEditChange() {
    if (solver::TTSPPopulation* population = ResultsPopulation())
        population->SetMutationRate(pMutationEditUpDown->Position() / 100.0);
}

void TfrmResults::pCrossoverEditChange() {
    if (solver::TTSPPopulation* population = ResultsPopulation())
        population->SetCrossoverRate(pCrossoverEditUpDown->Position() / 100.0);
}

void TfrmResults::OptimizeComboChange() {
    if (solver::TTSPPopulation* population = ResultsPopulation())
        population->SetStopCriterion(static_cast<uint8_t>(OptimizeCombo->currentIndex()));
    const bool counted = OptimizeCombo->currentIndex() != solver::scNone;
    LabelNStop->setEnabled(counted);
    KritStop->setEnabled(counted);
    IterationUpDown->setEnabled(counted);
}

void TfrmResults::BestPathCheckedClick() {
    LabelPath->setEnabled(BestPathChecked->isChecked());
    BestPath->setEnabled(BestPathChecked->isChecked());
}

void TfrmResults::UseElitizmClick() {
    const bool checked = UseElitizm->isChecked();
    ParentsEdit->setEnabled(checked);
    Label7->setEnabled(checked);
    solver::TTSPPopulation* population = ResultsPopulation();
    if (population && population->State() == solver::stRunning)
        population->SetElitism(checked);
    Label14->setEnabled(!checked);
    SelectionTypePanel->setEnabled(!checked);
}

void TfrmResults::AdaptiveCheckClick() {
    const bool checked = AdaptiveCheck->isChecked();
    CrossoverSost->setEnabled(checked);
    Adaptive->setEnabled(checked);
    solver::TTSPPopulation* population = ResultsPopulation();
    if (population && population->State() == solver::stRunning)
        population->SetAdaptiveChoice(checked);
    ChromSost->setVisible(checked);
}

void TfrmResults::ShowGeneration(const solver::TTSPPopulation& population, int32_t generation) {
    // The numbers are taken every generation, but written into the edits at
    // most every kDisplayInterval: laying out the text of four edits costs
    // several times a generation of a small map, and nobody reads counters
    // that change thousands of times a second. The last generation's numbers
    // are always written when the run loop returns (FlushGeneration).
    pending_.Generation = generation;
    pending_.Mutations = population.MutationCounter();
    pending_.Crossovers = population.CrossoverCounter();
    pending_.Adaptive = population.AdaptiveChoice();
    pending_.KindCurrent = population.KindCurrent();
    pending_.KindTotal = population.KindTotal();
    pending_.Valid = true;
    if (!displayClock_.isValid() || displayClock_.elapsed() >= kDisplayIntervalMs)
        FlushGeneration();
}

void TfrmResults::FlushGeneration() {
    if (!pending_.Valid)
        return;
    pending_.Valid = false;
    displayClock_.start();

    // Only texts whose number changed are rewritten.
    const QString generation = QString::number(pending_.Generation);
    if (CountIterations->text() != generation)
        CountIterations->setText(generation);
    if (pending_.Mutations != shownMutations_) {
        shownMutations_ = pending_.Mutations;
        MutationCount->setText(QString::number(shownMutations_));
    }

    if (pending_.Adaptive) {
        const bool first = !shownKindsValid_ || !shownAdaptive_;
        if (OptionsOpen())
            RefillChromSost(pending_.KindTotal);
        if (first || pending_.KindCurrent != shownKindCurrent_) {
            shownKindCurrent_ = pending_.KindCurrent;
            Adaptive->setText(KindsText(pending_.KindCurrent));
        }
        if (first || pending_.KindTotal != shownKindTotal_) {
            shownKindTotal_ = pending_.KindTotal;
            CrossoverCount->setText(KindsText(pending_.KindTotal));
        }
        shownKindsValid_ = true;
        shownAdaptive_ = true;
        shownCrossovers_ = -1;
    } else {
        if (shownAdaptive_ || pending_.Crossovers != shownCrossovers_) {
            shownCrossovers_ = pending_.Crossovers;
            CrossoverCount->setText(QString::number(shownCrossovers_));
        }
        shownAdaptive_ = false;
    }
}

void TfrmResults::RefillChromSost(const std::array<int32_t, 5>& totals) {
    // Emptying the series and adding five bars again gives the same picture
    // as changing the bars whose value moved, which costs nothing when none did.
    if (ChromSost->PointCount(Series1) != static_cast<int>(totals.size())) {
        ChromSost->ClearSeries(Series1);
        for (std::size_t kind = 0; kind < totals.size(); ++kind)
            ChromSost->AddPoint(Series1, totals[kind], kBarColour,
                                CrossoverTypePanel->itemText(static_cast<int>(kind)));
        return;
    }
    for (std::size_t kind = 0; kind < totals.size(); ++kind) {
        const int index = static_cast<int>(kind);
        if (ChromSost->PointValue(Series1, index) != totals[kind])
            ChromSost->SetPoint(Series1, index, totals[kind], kBarColour,
                                CrossoverTypePanel->itemText(index));
    }
}

void TfrmResults::ShowNewBest(const solver::TTSPPopulation& population, double best) {
    BestEstimate->setText(QString::fromStdString(FloatToStr(best)));
    BestPath->setText(QString::fromStdString(population.GetBestPathString()));
    // A long route reads from its first city, not from the caret at its end.
    BestPath->setCursorPosition(0);
    if (BestPathChecked->isChecked()) {
        g_Display.ShowPath = true;
        RedrawRoute();
    }
}

void TfrmResults::RedrawRoute() {
    // Early in a run better routes come many times within one screen
    // refresh, and drawing the map for each would cost more than the
    // generations that found them. The map is drawn at most every
    // kDisplayIntervalMs; the last route found is always drawn.
    if (!routeClock_.isValid() || routeClock_.elapsed() >= kDisplayIntervalMs) {
        routeTimer_->stop();
        routeClock_.start();
        Redraw();
    } else if (!routeTimer_->isActive()) {
        routeTimer_->start(static_cast<int>(kDisplayIntervalMs - routeClock_.elapsed()));
    }
}

void TfrmResults::FlushRoute() {
    if (!routeTimer_->isActive())
        return;
    routeTimer_->stop();
    routeClock_.start();
    Redraw();
}
