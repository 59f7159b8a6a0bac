#pragma once
// Helpers of the solver panel's tests: a fresh panel and population for every
// test, a random map with every city selected, and actions run inside a
// running solver's message pump once it has reached a given generation.

#include "support/AppFixture.h"

#include "map/RandomMap.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/untGraphicFitness.h"
#include "ui/untMain.h"
#include "ui/untResults.h"
#include "ui/untTestCrossover.h"

#include <QLabel>
#include <QTimer>

#include <functional>

namespace panelfixture {

// The program as at start-up, with a solver panel that has all its initial
// settings again (the panel keeps its settings between showings).
inline void ResetPanel() {
    fixture::ResetProgram();
    delete frmResults;
    frmResults = new TfrmResults();
    frmGraphicFitness->ClearSeries();
    frmTestCrossover->hide();
}

// A random map of the random-map dialog's defaults with `cities` nodes, every
// one selected, always the same for the same count.
inline void UseRandomMap(int cities) {
    TRandomMapSettings settings;
    settings.Count = cities;
    GenerateRandomMap(g_Map, settings, g_Display, 12345u);
    TIntegerArray all;
    for (int32_t id = 0; id < g_Map.Count(); ++id)
        all.Add(id);
    g_Map.SetSelection(all);
    frmMain->UpdateCityCount();
}

// Runs `action` inside the run's message pump once the running population
// has reached `generation`.
inline void AtGeneration(int32_t generation, std::function<void()> action) {
    auto* timer = new QTimer(frmResults);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, generation, action] {
        const solver::TTSPPopulation* population = frmMain->Population();
        if (population && population->State() == solver::stRunning &&
            population->Generation() >= generation) {
            timer->stop();
            timer->deleteLater();
            action();
        }
    });
    timer->start();
}

// Panel 0 of the main window's status bar.
inline QString StatusText() {
    return frmMain->StatusPanel0->text();
}

} // namespace panelfixture
