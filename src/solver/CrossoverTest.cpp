#include "solver/CrossoverTest.h"

#include "core/RandomUnit.h"
#include "core/TSPErrors.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <exception>
#include <mutex>
#include <thread>

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
                      const TGenerationEvent& onGeneration, TRandom& random) {
    TTSPPopulation population(map);
    population.SetRandom(random);
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

// The runs of the test on `options.Jobs` threads, each run with its own
// generator on the worker's own copy of the map. The rows take the runs in
// the order of repetitions whichever thread made them.
void RunInParallel(const TTSPMap& map, const TCrossoverTestOptions& options,
                   TCrossoverTestResult& result) {
    const int total = options.Repeats * kCrossoverTestRows;
    std::vector<std::optional<TCrossoverRun>> runs(static_cast<size_t>(total));
    std::atomic<int> next{0};
    std::atomic<bool> ending{false};
    std::mutex mutex; // ShouldAbort and the first error
    std::exception_ptr error;
    auto work = [&]() {
        TTSPMap own = map; // runs write the distance table and the walk marks
        for (int index = next++; index < total && !ending; index = next++) {
            const int row = index % kCrossoverTestRows;
            const int repeat = index / kCrossoverTestRows;
            const uint32_t seed = *options.Seed + static_cast<uint32_t>(repeat);
            TRandom random(seed);
            TGenerationEvent handler;
            if (options.MakeRunHandler)
                handler = options.MakeRunHandler(row, repeat);
            // An error or an abort elsewhere stops the runs still going.
            TGenerationEvent watch = [&ending, handler](TTSPPopulation& sender, int32_t generation,
                                                        double best, double worst) {
                if (ending)
                    sender.Stop();
                else if (handler)
                    handler(sender, generation, best, worst);
            };
            try {
                TCrossoverRun run = RunOnce(own, RowSettings(options.Settings, row), watch, random);
                run.Seed = seed;
                runs[static_cast<size_t>(index)] = run;
            } catch (...) {
                const std::lock_guard<std::mutex> lock(mutex);
                if (!error)
                    error = std::current_exception();
                ending = true;
                return;
            }
            const std::lock_guard<std::mutex> lock(mutex);
            if (options.ShouldAbort && options.ShouldAbort() && !ending) {
                ending = true;
                result.Aborted = true;
            }
        }
    };
    std::vector<std::thread> threads;
    for (int j = 0; j < std::min(options.Jobs, total); ++j)
        threads.emplace_back(work);
    for (std::thread& thread : threads)
        thread.join();
    if (error)
        std::rethrow_exception(error);
    for (int index = 0; index < total; ++index)
        if (runs[static_cast<size_t>(index)])
            result.Rows[static_cast<size_t>(index % kCrossoverTestRows)].Runs.push_back(
                *runs[static_cast<size_t>(index)]);
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
#if !defined(TRASOLAN_PROFILE_SOLVER) // the profiler's records belong to one thread
    if (options.Jobs > 1 && options.Seed) {
        RunInParallel(map, options, result);
        Summarize(result);
        return result;
    }
#endif
    for (int repeat = 0; repeat < options.Repeats && !result.Aborted; ++repeat) {
        for (int row = 0; row < kCrossoverTestRows; ++row) {
            std::optional<uint32_t> seed;
            if (options.Seed) {
                seed = *options.Seed + static_cast<uint32_t>(repeat);
                SetRandSeed(*seed);
            }
            if (options.OnRunStart)
                options.OnRunStart(row, repeat);
            TGenerationEvent handler = options.OnGeneration;
            if (!handler && options.MakeRunHandler)
                handler = options.MakeRunHandler(row, repeat);
            TCrossoverRun run =
                RunOnce(map, RowSettings(options.Settings, row), handler, SharedRandom());
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
