// The main window's side of a solver run: the population's two events,
// written into the solver panel and the fitness graph, and the crossover test
// that runs the panel once per crossover kind.
#include "ui/untMain.h"

#include "core/NumberText.h"
#include "core/RandomUnit.h"
#include "guibase/Seams.h"
#include "guibase/Text.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/TrasolanApplication.h"
#include "ui/untGraphicFitness.h"
#include "ui/untResults.h"
#include "ui/untTestCrossover.h"
#include "widgets/TFlatCheckBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTimer>

void TfrmMain::GenerationDone(solver::TTSPPopulation& sender, int32_t generation, double best,
                              double worst) {
    if (frmResults)
        frmResults->ShowGeneration(sender, generation);
    if (frmGraphicFitness)
        frmGraphicFitness->AddPoints(generation, worst, best);
    // The one place where input is handled during a run: Pause, Stop, menu
    // commands, map edits and timers all run from here, between generations.
    QCoreApplication::processEvents();
}

void TfrmMain::NewBestFound(solver::TTSPPopulation& sender, double best) {
    if (frmResults)
        frmResults->ShowNewBest(sender, best);
}

namespace {

bool g_TestActive = false;

// The measurements of the run that has just ended, read from the panel.
void ReadRun(TCrossoverTestResults& results, int index) {
    const auto i = static_cast<std::size_t>(index);
    results.Result[i] = StrToFloat(frmResults->BestEstimate->text().toStdString());
    // The run time as a fraction of a day; a run of more than 24 hours keeps
    // counting (a time of day would wrap round to a short run).
    const double seconds =
        frmResults->Hours * 3600.0 + frmResults->Minutes * 60.0 + frmResults->Seconds;
    results.Time[i] = seconds / 86400.0;
    results.Generations[i] = StrToFloat(frmResults->CountIterations->text().toStdString());
}

QColor RandomColour() {
    const int red = static_cast<int>(Rnd(256));
    const int green = static_cast<int>(Rnd(256));
    const int blue = static_cast<int>(Rnd(256));
    return QColor(red, green, blue);
}

void RunCrossoverTest(TfrmMain& main) {
    if (!frmResults || !frmTestCrossover)
        return;
    g_TestActive = true;
    struct Reset {
        ~Reset() { g_TestActive = false; }
    } reset;
    // The main window may be closed during a run: the close stops the run,
    // and the test must then not start the next one.
    const QPointer<TfrmMain> window(&main);

    main.UpdateCityCount();
    frmResults->show();
    const bool wasAdaptive = frmResults->AdaptiveCheck->isChecked();
    frmResults->AdaptiveCheck->setChecked(false);

    TCrossoverTestResults results;
    for (int kind = 0; kind < TCrossoverTestResults::kRuns; ++kind) {
        if (kind < TCrossoverTestResults::kRuns - 1) {
            frmResults->CrossoverTypePanel->setCurrentIndex(kind);
            results.Names[static_cast<std::size_t>(kind)] =
                frmResults->CrossoverTypePanel->itemText(kind);
        } else {
            frmResults->AdaptiveCheck->setChecked(true);
            results.Names[static_cast<std::size_t>(kind)] = QStringLiteral("Adaptive");
        }
        frmResults->StartBtnClick();
        if (!window || window->IsClosing())
            return; // the program is ending: no further runs, no chart
        ReadRun(results, kind);
    }

    for (QColor& colour : results.Colours)
        colour = RandomColour();
    frmTestCrossover->ShowResults(results);

    frmResults->close();
    frmResults->AdaptiveCheck->setChecked(wasAdaptive);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frmTestCrossover->move(screen->availableGeometry().center() -
                               frmTestCrossover->rect().center());
    frmTestCrossover->show();
    frmTestCrossover->raise();
}

} // namespace

void TfrmMain::TestCrossoversExecute() {
    // The test drives the panel itself; a second start from inside one of its
    // runs would nest a whole new test in it.
    if (g_TestActive)
        return;
    if (!seams::AskOkCancel(this, Text("Тест кроссоверов"),
                            Text("Сейчас будет произведен тест, пожалуйста ничего не нажимайте!")))
        return;
    if (!frmResults)
        return;

    solver::TTSPPopulation* population = Population();
    if (population && population->State() == solver::stRunning) {
        // Called from inside a run's message pump: the running loop is further
        // up the call stack. Stop it as the Stop button does and begin the
        // test once that loop has returned, rather than running six new runs
        // nested inside it on the same population.
        frmResults->StopBtnClick();
        QPointer<TfrmMain> self(this);
        QTimer::singleShot(0, this, [self] {
            if (self)
                RunGuarded([&] { RunCrossoverTest(*self); });
        });
        return;
    }
    if (population && population->State() == solver::stPaused)
        frmResults->StopBtnClick(); // each kind gets a fresh run, the first one too
    RunCrossoverTest(*this);
}
