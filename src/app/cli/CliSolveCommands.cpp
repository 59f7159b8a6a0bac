// solve and crossover-test: running the genetic solver on a map file.

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/CliParallelWatch.h"
#include "app/cli/CliReference.h"
#include "app/cli/CliSolveOptions.h"
#include "app/cli/CliSolveOutput.h"
#include "app/cli/CliSolveRun.h"

#include "core/RandomUnit.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "solver/CrossoverTest.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

namespace cli {

namespace {

const char* const kSolveHelp =
    R"(Usage: trasolan-cli solve MAP.ga [OPTIONS]

Finds a short route through the map's selected cities with the genetic
algorithm, as the solver panel's Start does, and prints the best length, the
route, the numbers of generations, crossovers and mutations (and the
crossovers per kind with the self-adapting choice), the time and the seed.
While it runs, a progress line is shown on stderr when that is a terminal.
Ctrl+C stops the run like the Stop button and still prints the result.

)";

const char* const kCrossoverTestHelp =
    R"(Usage: trasolan-cli crossover-test MAP.ga [--repeats R] [OPTIONS]

Compares the crossover kinds: one complete run per kind (OP, PMX, Triangle,
SOP, CUBX) with the self-adapting choice off, and one with it on, with
otherwise equal settings. Prints best length, time and generations per run and
each as a percentage of its column's sum.

  --repeats R   run each of the six R times (default 1); repetition r seeds
                the generator with SEED + r before each of its six runs, and
                the table shows mean, best and standard deviation per row
  --jobs N      make the runs on N threads at once (default 1); each run has
                its own generator seeded as above, so the results are those
                of --jobs 1 (the times are longer where runs share a core)

Ctrl+C ends the whole test (exit status 130) and prints the runs made.

)";

constexpr const char* kRowNames[solver::kCrossoverTestRows] = {"OP",  "PMX",  "Triangle",
                                                               "SOP", "CUBX", "Adaptive"};

std::string LoadMapArgument(const Args& args, TTSPMap& map) {
    if (args.Positional().size() != 1)
        throw UsageError("exactly one map file is needed");
    TDisplayFlags flags;
    map.LoadFromFile(args.Positional().front(), flags);
    return args.Positional().front();
}

uint32_t ChooseSeed(const SolveOptions& options) {
    if (options.Seed)
        return *options.Seed;
    Randomize();
    return RandSeed();
}

std::string KindCounts(const std::array<int32_t, solver::kCrossoverKinds>& counts) {
    std::string text;
    for (int kind = 0; kind < solver::kCrossoverKinds; ++kind)
        text += (kind ? "  " : "") + std::string(solver::kCrossoverNames[kind]) + " " +
                std::to_string(counts[static_cast<size_t>(kind)]);
    return text;
}

std::string KindCountsJson(const std::array<int32_t, solver::kCrossoverKinds>& counts) {
    std::string text = "{";
    for (int kind = 0; kind < solver::kCrossoverKinds; ++kind)
        text += (kind ? "," : "") + JsonString(solver::kCrossoverNames[kind]) + ":" +
                std::to_string(counts[static_cast<size_t>(kind)]);
    return text + "}";
}

void PrintSolveResult(const solver::TTSPPopulation& population, const SolveOptions& options,
                      RunEnd end, double seconds, uint32_t seed,
                      const reference::TReferenceResult* yardstick) {
    const TTSPMap& map = population.Map();
    const solver::TTSPChromosome& best = population.Chromosome(population.BestIndex());
    const bool adaptive = options.Settings.AdaptiveChoice;
    if (options.Json) {
        std::string out = "{";
        out += "\"best_length\":" + JsonNumber(best.Fitness);
        out += ",\"route\":[";
        for (int32_t i = 0; i < best.Count(); ++i) {
            const int32_t at = map.IndexOfID(best.Genes[i]);
            out += (i ? "," : "") + JsonString(at >= 0 ? map.City(at).Name : "x");
        }
        out += "],\"route_ids\":[";
        for (int32_t i = 0; i < best.Count(); ++i)
            out += (i ? "," : "") + std::to_string(best.Genes[i]);
        out += "]";
        out += ",\"generations\":" + std::to_string(population.Generation());
        out += ",\"crossovers\":" + std::to_string(population.CrossoverCounter());
        out += ",\"mutations\":" + std::to_string(population.MutationCounter());
        if (adaptive) {
            out += ",\"crossovers_by_kind\":" + KindCountsJson(population.KindTotal());
            out += ",\"kinds_in_population\":" + KindCountsJson(population.KindCurrent());
        }
        out += ",\"ended_by\":" + JsonString(RunEndName(end));
        out += ",\"elapsed_seconds\":" + JsonNumber(seconds);
        out += ",\"seed\":" + std::to_string(seed);
        out += ",\"settings\":" + SettingsJson(options.Settings);
        if (yardstick)
            out += ",\"reference\":" + ReferenceJson(*yardstick, best.Fitness);
        out += "}\n";
        std::cout << out;
        return;
    }
    std::string ids;
    for (int32_t i = 0; i < best.Count(); ++i)
        ids += (i ? " " : "") + std::to_string(best.Genes[i]);
    std::cout << "best length:        " << NumberText(best.Fitness) << "\n"
              << "route:              " << best.ToText(map) << "\n"
              << "route IDs:          " << ids << "\n"
              << "generations:        " << population.Generation() << "\n"
              << "crossovers:         " << population.CrossoverCounter() << "\n"
              << "mutations:          " << population.MutationCounter() << "\n";
    if (adaptive) {
        std::cout << "crossovers by kind: " << KindCounts(population.KindTotal()) << "\n"
                  << "kinds in population: " << KindCounts(population.KindCurrent()) << "\n";
    }
    std::cout << "ended by:           " << RunEndName(end) << "\n"
              << "elapsed:            " << FixedText(seconds, 3) << " s\n"
              << "seed:               " << seed << "\n"
              << "settings:           " << SettingsText(options.Settings) << "\n";
    if (yardstick) {
        std::cout << "reference:          " << ReferenceText(*yardstick) << "\n"
                  << "gap:                "
                  << FixedText(GapPercent(best.Fitness, yardstick->Length), 2) << " %\n";
    }
}

// The shortest length of all runs of the test (NaN when none ran).
double BestOfTest(const solver::TCrossoverTestResult& result) {
    double best = std::nan("");
    for (const solver::TCrossoverRow& row : result.Rows)
        for (const solver::TCrossoverRun& run : row.Runs)
            if (std::isnan(best) || run.Best < best)
                best = run.Best;
    return best;
}

std::string Pad(const std::string& text, size_t width, bool right) {
    // Column widths count characters, not UTF-8 bytes.
    size_t characters = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++characters;
    const std::string fill(characters < width ? width - characters : 0, ' ');
    return right ? fill + text : text + fill;
}

void PrintCrossoverTable(const solver::TCrossoverTestResult& result, int32_t repeats,
                         const reference::TReferenceResult* yardstick) {
    const bool single = repeats == 1;
    std::string header = Pad("kind", 10, false);
    if (single) {
        header +=
            Pad("best length", 14, true) + Pad("time, s", 10, true) + Pad("generations", 13, true);
    } else {
        header += Pad("mean length", 14, true) + Pad("best length", 14, true) +
                  Pad("std dev", 11, true) + Pad("mean time, s", 14, true) +
                  Pad("mean gener.", 13, true);
    }
    header += Pad("result %", 10, true) + Pad("time %", 9, true) + Pad("generations %", 15, true);
    if (yardstick)
        header += Pad("gap %", 9, true);
    std::cout << header << "\n";
    for (int row = 0; row < solver::kCrossoverTestRows; ++row) {
        const solver::TCrossoverRow& r = result.Rows[static_cast<size_t>(row)];
        std::string line = Pad(kRowNames[row], 10, false);
        if (r.Runs.empty()) {
            std::cout << line << Pad("(not run)", 14, true) << "\n";
            continue;
        }
        if (single) {
            line += Pad(FixedText(r.MeanBest, 4), 14, true) +
                    Pad(FixedText(r.MeanSeconds, 3), 10, true) +
                    Pad(FixedText(r.MeanGenerations, 0), 13, true);
        } else {
            line += Pad(FixedText(r.MeanBest, 4), 14, true) +
                    Pad(FixedText(r.MinBest, 4), 14, true) +
                    Pad(FixedText(r.StdDevBest, 4), 11, true) +
                    Pad(FixedText(r.MeanSeconds, 3), 14, true) +
                    Pad(FixedText(r.MeanGenerations, 1), 13, true);
        }
        line += Pad(FixedText(r.ResultPercent, 2), 10, true) +
                Pad(FixedText(r.TimePercent, 2), 9, true) +
                Pad(FixedText(r.GenerationsPercent, 2), 15, true);
        if (yardstick)
            line += Pad(FixedText(GapPercent(r.MeanBest, yardstick->Length), 2), 9, true);
        std::cout << line << "\n";
    }
    if (yardstick) {
        std::cout << "\nreference " << ReferenceText(*yardstick) << "; gap %: how much longer the "
                  << (repeats == 1 ? "" : "mean ") << "best length is\n";
    }
}

void PrintCrossoverJson(const solver::TCrossoverTestResult& result, const SolveOptions& options,
                        int32_t repeats, uint32_t seed,
                        const reference::TReferenceResult* yardstick) {
    std::string out = "{";
    out += "\"repeats\":" + std::to_string(repeats);
    out += ",\"seed\":" + std::to_string(seed);
    out += std::string(",\"aborted\":") + (result.Aborted ? "true" : "false");
    out += ",\"settings\":" + SettingsJson(options.Settings);
    if (yardstick)
        out += ",\"reference\":" + ReferenceJson(*yardstick, BestOfTest(result));
    out += ",\"rows\":[";
    for (int row = 0; row < solver::kCrossoverTestRows; ++row) {
        const solver::TCrossoverRow& r = result.Rows[static_cast<size_t>(row)];
        out += row ? ",{" : "{";
        out += "\"kind\":" + JsonString(kRowNames[row]);
        out += ",\"runs\":[";
        for (size_t i = 0; i < r.Runs.size(); ++i) {
            const solver::TCrossoverRun& run = r.Runs[i];
            out += i ? ",{" : "{";
            out += "\"seed\":" + (run.Seed ? std::to_string(*run.Seed) : std::string("null"));
            out += ",\"best_length\":" + JsonNumber(run.Best);
            out += ",\"seconds\":" + JsonNumber(run.Seconds);
            out += ",\"generations\":" + std::to_string(run.Generations);
            out += ",\"crossovers\":" + std::to_string(run.Crossovers);
            out += ",\"mutations\":" + std::to_string(run.Mutations);
            if (yardstick)
                out += ",\"gap_percent\":" + JsonNumber(GapPercent(run.Best, yardstick->Length));
            out += "}";
        }
        out += "]";
        out += ",\"mean_length\":" + JsonNumber(r.MeanBest);
        out += ",\"best_length\":" + JsonNumber(r.MinBest);
        out += ",\"stddev_length\":" + JsonNumber(r.StdDevBest);
        out += ",\"mean_seconds\":" + JsonNumber(r.MeanSeconds);
        out += ",\"mean_generations\":" + JsonNumber(r.MeanGenerations);
        out += ",\"result_percent\":" + JsonNumber(r.ResultPercent);
        out += ",\"time_percent\":" + JsonNumber(r.TimePercent);
        out += ",\"generations_percent\":" + JsonNumber(r.GenerationsPercent);
        if (yardstick)
            out += ",\"reference\":" + ReferenceJson(*yardstick, r.MeanBest);
        out += "}";
    }
    out += "]}\n";
    std::cout << out;
}

// Runs on several threads: each watched by a handler of its own.
void UseJobs(solver::TCrossoverTestOptions& test, ParallelRunWatch& watch, int32_t jobs) {
    test.Jobs = jobs;
    test.OnRunStart = {};
    test.OnGeneration = {};
    test.MakeRunHandler = [&watch](int, int) { return watch.MakeHandler(); };
    test.ShouldAbort = [&watch]() { return watch.RunDone(); };
}

} // namespace

int RunSolve(const Arguments& arguments) {
    Args args(arguments, SolveValueOptions(), SolveFlags());
    if (args.WantsHelp()) {
        std::cout << kSolveHelp << kSolveOptionsHelp;
        return 0;
    }
    const SolveOptions options = ReadSolveOptions(args);
    TTSPMap map;
    LoadMapArgument(args, map);
    map.CheckTask();

    solver::TTSPPopulation population(map);
    solver::ApplySettings(population, options.Settings);
    population.CheckSettings();

    InterruptGuard interrupts;
    RunMonitor monitor(options.Limits, true);
    population.SetOnGeneration(
        [&](solver::TTSPPopulation& sender, int32_t generation, double best, double worst) {
            monitor.OnGeneration(sender, generation, best, worst);
        });
    const uint32_t seed = ChooseSeed(options);
    SetRandSeed(seed);
    monitor.BeginRun();
    population.Run();
    const double seconds = monitor.Seconds();
    const RunEnd end = monitor.EndRun(population);
    std::optional<reference::TReferenceResult> yardstick;
    if (options.Reference)
        yardstick = ComputeReference(map, options.ReferenceTimeLimit);
    PrintSolveResult(population, options, end, seconds, seed, yardstick ? &*yardstick : nullptr);
    return 0;
}

int RunCrossoverTest(const Arguments& arguments) {
    Args args(arguments, SolveValueOptions({"--repeats", "--jobs"}), SolveFlags());
    if (args.WantsHelp()) {
        std::cout << kCrossoverTestHelp << kSolveOptionsHelp;
        return 0;
    }
    const SolveOptions options = ReadSolveOptions(args);
    const int32_t repeats = static_cast<int32_t>(args.Integer("--repeats", 1, 1, 100000));
    const int32_t jobs = static_cast<int32_t>(args.Integer("--jobs", 1, 1, 256));
    if (options.Settings.StopCriterion == solver::scNone && !options.Limits.MaxGenerations &&
        !options.Limits.TimeLimit) {
        throw UsageError("with --stop none no run would end: give --max-generations or "
                         "--time-limit");
    }
    TTSPMap map;
    LoadMapArgument(args, map);

    InterruptGuard interrupts;
    RunMonitor monitor(options.Limits, true);
    const uint32_t seed = ChooseSeed(options);

    solver::TCrossoverTestOptions test;
    test.Settings = options.Settings;
    test.Repeats = repeats;
    test.Seed = seed;
    test.OnRunStart = [&](int row, int repeat) {
        std::string label = kRowNames[row];
        if (repeats > 1)
            label += " " + std::to_string(repeat + 1) + "/" + std::to_string(repeats);
        monitor.BeginRun(label + ": ");
    };
    test.OnGeneration = [&](solver::TTSPPopulation& sender, int32_t generation, double best,
                            double worst) {
        monitor.OnGeneration(sender, generation, best, worst);
    };
    test.ShouldAbort = [&]() {
        monitor.FinishRun();
        return InterruptGuard::Interrupted();
    };
    ParallelRunWatch parallel(options.Limits, repeats * solver::kCrossoverTestRows, true);
    if (jobs > 1)
        UseJobs(test, parallel, jobs);
    const solver::TCrossoverTestResult result = solver::RunCrossoverTest(map, test);
    std::optional<reference::TReferenceResult> yardstick;
    if (options.Reference)
        yardstick = ComputeReference(map, options.ReferenceTimeLimit);
    const reference::TReferenceResult* measure = yardstick ? &*yardstick : nullptr;

    if (options.Json) {
        PrintCrossoverJson(result, options, repeats, seed, measure);
    } else {
        PrintCrossoverTable(result, repeats, measure);
        std::cout << "\nseed " << seed;
        if (repeats > 1)
            std::cout << " (repetition r uses seed " << seed << " + r)";
        std::cout << "; " << SettingsText(options.Settings, false) << "\n";
        if (result.Aborted)
            std::cout << "interrupted: the rows above hold the runs made\n";
    }
    return result.Aborted ? 130 : 0;
}

} // namespace cli
