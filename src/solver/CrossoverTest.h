#pragma once
// The crossover comparison without a window: one complete run per crossover
// kind (adaptive choice off) and one with the self-adapting choice, with
// otherwise equal settings, measuring best length, time and generations, and
// each measurement as a percentage of its sum over the six rows.
//
// Repeating every row with several seeds gives mean, best and spread per row,
// since a single run says little about an operator.

#include "solver/AlgorithmGetetic.h"
#include "solver/SolverSettings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace solver {

// Rows 0..4 are the crossover kinds in code order, row 5 the adaptive run.
inline constexpr int kCrossoverTestRows = 6;
inline constexpr int kAdaptiveRow = 5;

struct TCrossoverTestOptions {
    // Settings of every run; CrossoverKind and AdaptiveChoice are set per row.
    TSolverSettings Settings;
    int32_t Repeats = 1;
    // With a seed, repetition r seeds the generator with Seed + r before each
    // of its six runs, so all rows of a repetition start from the same draws.
    // Without, the generator runs on from where it stands (as in the window).
    std::optional<uint32_t> Seed;
    // Called before each run (row 0..5, repetition 0..Repeats-1).
    std::function<void(int row, int repeat)> OnRunStart;
    // Called after every generation of every run; may Stop the population.
    TGenerationEvent OnGeneration;
    // Asked after every run: true ends the test there.
    std::function<bool()> ShouldAbort;

    // Independent runs on this many threads (with a Seed only). Each run then
    // draws from a generator of its own, seeded as above, and works on a copy
    // of the map, so the results do not depend on the number of threads and
    // the shared generator is not touched. OnRunStart and OnGeneration are not
    // used then: MakeRunHandler makes each run's generation handler in the
    // thread that makes the run, perhaps while another thread calls it too
    // (runs go on at the same time, so a handler may touch nothing but its
    // run and what is safe between threads). ShouldAbort
    // is asked after every run, one thread at a time. (A run on one thread
    // uses MakeRunHandler when OnGeneration is not set.)
    int32_t Jobs = 1;
    std::function<TGenerationEvent(int row, int repeat)> MakeRunHandler;
};

struct TCrossoverRun {
    std::optional<uint32_t> Seed; // the seed the run started from, when seeded
    double Best = 0;              // best length
    double Seconds = 0;           // wall time of the run
    int32_t Generations = 0;
    int32_t Crossovers = 0;
    int32_t Mutations = 0;
};

struct TCrossoverRow {
    std::vector<TCrossoverRun> Runs;
    double MeanBest = 0;
    double MinBest = 0;
    // Sample standard deviation of the best lengths (0 for a single run).
    double StdDevBest = 0;
    double MeanSeconds = 0;
    double MeanGenerations = 0;
    // The row's mean as a percentage of the sum of the six means.
    double ResultPercent = 0;
    double TimePercent = 0;
    double GenerationsPercent = 0;
};

struct TCrossoverTestResult {
    std::array<TCrossoverRow, kCrossoverTestRows> Rows;
    // True when ShouldAbort ended the test; the rows then hold the runs made.
    bool Aborted = false;
};

// Runs the test on the map. Raises ETSPError when the task cannot be solved
// (CheckTask) or the settings cannot run, before any run starts.
TCrossoverTestResult RunCrossoverTest(TTSPMap& map, const TCrossoverTestOptions& options);

// value * 100 / sum for each value; a sum of 0 gives zeros rather than a
// division by zero.
std::array<double, kCrossoverTestRows>
Percentages(const std::array<double, kCrossoverTestRows>& values);

// Mean, minimum and sample standard deviation of the rows' runs, and the
// percentage columns over the six means.
void Summarize(TCrossoverTestResult& result);

} // namespace solver
