#include "solver/CrossoverTest.h"

#include "core/RandomUnit.h"
#include "core/TSPErrors.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace solver {

namespace {

TSolverSettings RowSettings(const TSolverSettings& base, int row) {
    TSolverSettings settings = base;
    if (row == kAdaptiveRow) {
        // The adaptive run starts from the panel's kind; the choice rewrites it.
        settings.AdaptiveChoice = true;
    } else {
        settings.CrossoverKind = static_cast<uint8_t>(row);
        settings.AdaptiveChoice = false;
    }
    return settings;
}

TCrossoverRun RunOnce(TTSPMap& map, const TSolverSettings& settings,
                      const TGenerationEvent& onGeneration) {
    TTSPPopulation population(map);
    ApplySettings(population, settings);
    if (onGeneration)
        population.SetOnGeneration(onGeneration);
    const auto start = std::chrono::steady_clock::now();
    population.Run();
    const auto end = std::chrono::steady_clock::now();
    TCrossoverRun run;
    run.Best = population.BestFitness();
    run.Seconds = std::chrono::duration<double>(end - start).count();
    run.Generations = population.Generation();
    run.Crossovers = population.CrossoverCounter();
    run.Mutations = population.MutationCounter();
    return run;
}

} // namespace

std::array<double, kCrossoverTestRows>
Percentages(const std::array<double, kCrossoverTestRows>& values) {
    double sum = 0;
    for (double value : values)
        sum += value;
    std::array<double, kCrossoverTestRows> percent{};
    if (sum == 0 || !std::isfinite(sum))
        return percent;
    for (int i = 0; i < kCrossoverTestRows; ++i)
        percent[static_cast<size_t>(i)] = values[static_cast<size_t>(i)] * 100 / sum;
    return percent;
}

void Summarize(TCrossoverTestResult& result) {
    std::array<double, kCrossoverTestRows> best{}, seconds{}, generations{};
    for (int i = 0; i < kCrossoverTestRows; ++i) {
        TCrossoverRow& row = result.Rows[static_cast<size_t>(i)];
        const size_t n = row.Runs.size();
        row.MeanBest = row.MinBest = row.StdDevBest = row.MeanSeconds = row.MeanGenerations = 0;
        if (n > 0) {
            double sumBest = 0, sumSeconds = 0, sumGenerations = 0;
            row.MinBest = row.Runs.front().Best;
            for (const TCrossoverRun& run : row.Runs) {
                sumBest += run.Best;
                sumSeconds += run.Seconds;
                sumGenerations += run.Generations;
                row.MinBest = std::min(row.MinBest, run.Best);
            }
            row.MeanBest = sumBest / static_cast<double>(n);
            row.MeanSeconds = sumSeconds / static_cast<double>(n);
            row.MeanGenerations = sumGenerations / static_cast<double>(n);
            if (n > 1) {
                double squares = 0;
                for (const TCrossoverRun& run : row.Runs)
                    squares += (run.Best - row.MeanBest) * (run.Best - row.MeanBest);
                row.StdDevBest = std::sqrt(squares / static_cast<double>(n - 1));
            }
        }
        best[static_cast<size_t>(i)] = row.MeanBest;
        seconds[static_cast<size_t>(i)] = row.MeanSeconds;
        generations[static_cast<size_t>(i)] = row.MeanGenerations;
    }
    const auto bestPercent = Percentages(best);
    const auto secondsPercent = Percentages(seconds);
    const auto generationsPercent = Percentages(generations);
    for (size_t i = 0; i < kCrossoverTestRows; ++i) {
        result.Rows[i].ResultPercent = bestPercent[i];
        result.Rows[i].TimePercent = secondsPercent[i];
        result.Rows[i].GenerationsPercent = generationsPercent[i];
    }
}

TCrossoverTestResult RunCrossoverTest(TTSPMap& map, const TCrossoverTestOptions& options) {
    if (options.Repeats < 1)
        throw ETSPError("Число повторений теста должно быть не меньше одного");
    map.CheckTask();
    // Refuse settings that cannot run before the first run rather than
    // after some rows are done.
    {
        TTSPPopulation probe(map);
        for (int row = 0; row < kCrossoverTestRows; ++row) {
            ApplySettings(probe, RowSettings(options.Settings, row));
            probe.CheckSettings();
        }
    }

    TCrossoverTestResult result;
    for (int repeat = 0; repeat < options.Repeats && !result.Aborted; ++repeat) {
        for (int row = 0; row < kCrossoverTestRows; ++row) {
            std::optional<uint32_t> seed;
            if (options.Seed) {
                seed = *options.Seed + static_cast<uint32_t>(repeat);
                SetRandSeed(*seed);
            }
            if (options.OnRunStart)
                options.OnRunStart(row, repeat);
            TCrossoverRun run =
                RunOnce(map, RowSettings(options.Settings, row), options.OnGeneration);
            run.Seed = seed;
            result.Rows[static_cast<size_t>(row)].Runs.push_back(run);
            if (options.ShouldAbort && options.ShouldAbort()) {
                result.Aborted = true;
                break;
            }
        }
    }
    Summarize(result);
    return result;
}

} // namespace solver
