// Generations per second of a run driven by the solver panel - its counters,
// the fitness graph's store, the new-best display with map redraws and the
// message pump after every generation - against the solver's own loop as
// trasolan-cli runs it: same map, same settings, same seed, so both do
// exactly the same generations.
//
// Target: the panel reaches at least 70 % of the solver loop's rate on the
// random-map dialog's default 25-city map. The summary lines at the end give
// the ratio measured in alternating rounds; with TRASOLAN_BENCH_MAP=MAP.ga
// they are measured on that map as well, to set beside
//   trasolan-cli solve MAP.ga --stop generations --stop-generations 5000 --seed 7

#include "core/NumberText.h"
#include "core/RandomUnit.h"
#include "map/RandomMap.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/Forms.h"
#include "ui/TrasolanApplication.h"
#include "ui/untMain.h"
#include "ui/untResults.h"
#include "ui/untResultsUpDown.h"

#include <QComboBox>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int32_t kGenerations = 5000;
constexpr uint32_t kSeed = 7;
constexpr uint32_t kMapSeed = 12345;

// The random-map dialog's defaults (25 nodes, 75 % of the pairs joined), with
// `selected` of its cities to visit.
void UseDefaultMap(int selected) {
    GenerateRandomMap(g_Map, TRandomMapSettings{}, g_Display, kMapSeed);
    TIntegerArray ids;
    for (int32_t id = 0; id < std::min(selected, g_Map.Count()); ++id)
        ids.Add(id);
    g_Map.SetSelection(ids);
    frmMain->UpdateCityCount();
}

// The panel's initial settings with a fixed number of generations.
void ConfigurePanel() {
    frmResults->OptimizeCombo->setCurrentIndex(solver::scGenerations);
    frmResults->IterationUpDown->SetPosition(kGenerations);
}

void ConfigureLoop(solver::TTSPPopulation& population) {
    population.SetPopulationSize(100);
    population.SetCrossoverRate(0.8);
    population.SetMutationRate(0.2);
    population.SetCrossoverKind(solver::ckOP);
    population.SetMutationKind(solver::mkRandom);
    population.SetSelectionKind(solver::skRoulette);
    population.SetStopCriterion(solver::scGenerations);
    population.SetStopGenerations(kGenerations);
    population.SetEliteSize(50);
    population.SetElitism(false);
    population.SetAdaptiveChoice(true);
}

// One whole run each; returns the generations made.
int32_t SolverLoopRun() {
    solver::TTSPPopulation population(g_Map);
    ConfigureLoop(population);
    SetRandSeed(kSeed);
    population.Run();
    return population.Generation();
}

int32_t PanelRun() {
    SetRandSeed(kSeed);
    frmResults->StartBtnClick();
    return frmMain->Population()->Generation();
}

void BM_SolverLoop(benchmark::State& state) {
    UseDefaultMap(static_cast<int>(state.range(0)));
    int64_t generations = 0;
    for (auto _ : state)
        generations += SolverLoopRun();
    state.SetItemsProcessed(generations);
}
BENCHMARK(BM_SolverLoop)->Arg(25)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PanelRun(benchmark::State& state) {
    UseDefaultMap(static_cast<int>(state.range(0)));
    ConfigurePanel();
    frmResults->show();
    int64_t generations = 0;
    for (auto _ : state)
        generations += PanelRun();
    state.SetItemsProcessed(generations);
    frmResults->hide();
}
BENCHMARK(BM_PanelRun)->Arg(25)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// Alternating rounds, best of each, so that a busy moment of the machine
// does not fall on one side only.
void PrintRatio(int selected, const char* mapFile = nullptr) {
    if (mapFile) {
        g_Map.LoadFromFile(mapFile, g_Display);
        frmMain->UpdateCityCount();
    } else {
        UseDefaultMap(selected);
    }
    ConfigurePanel();
    frmResults->show();
    double loopBest = 1e100, panelBest = 1e100;
    int32_t loopGenerations = 0, panelGenerations = 0;
    double loopLength = 0, panelLength = 0;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer clock;
        clock.start();
        loopGenerations = SolverLoopRun();
        loopBest = std::min(loopBest, clock.nsecsElapsed() * 1e-9);
        clock.start();
        panelGenerations = PanelRun();
        panelBest = std::min(panelBest, clock.nsecsElapsed() * 1e-9);
    }
    {
        solver::TTSPPopulation population(g_Map);
        ConfigureLoop(population);
        SetRandSeed(kSeed);
        population.Run();
        loopLength = population.BestFitness();
        panelLength = frmMain->Population()->BestFitness();
    }
    frmResults->hide();
    const double loopRate = loopGenerations / loopBest;
    const double panelRate = panelGenerations / panelBest;
    std::printf("%s, %d selected: solver loop %.0f generations/s, panel %.0f generations/s, "
                "ratio %.0f %% (same run: %s, best length %s)\n",
                mapFile ? mapFile : "25-node default map", g_Map.SelectedCities().Count(), loopRate,
                panelRate, 100 * panelRate / loopRate,
                loopGenerations == panelGenerations && loopLength == panelLength ? "yes" : "no",
                FloatToStr(panelLength).c_str());
}

} // namespace

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    CreateForms();
    frmMain->show();
    frmMain->CreateSolver();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintRatio(25);
    PrintRatio(8);
    if (const char* mapFile = std::getenv("TRASOLAN_BENCH_MAP"))
        PrintRatio(0, mapFile);
    DestroyForms();
    return 0;
}
