#include "app/cli/CliSolveOptions.h"

#include "solver/SolverCodes.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace cli {

const char* const kSolveOptionsHelp =
    R"(Solver settings (defaults are the solver panel's initial values):
  --population N        chromosomes in the population (default 100)
  --crossover KIND      OP, PMX, Triangle, SOP, CUBX (default OP)
  --mutation KIND       TwoRandom, Inverse, Reduced, Случайно, "Не использовать"
                        or two-random, inverse, reduced, random, none
                        (default Случайно)
  --selection KIND      Турнир, Рулетка, Случайно
                        or tournament, roulette, random (default Рулетка)
  --crossover-rate P    chance that a pair is crossed, percent (default 80)
  --mutation-rate P     chance that a valid child is mutated, percent (default 20)
  --elitism             elitist scheme: cross every pair of the elite
  --elite N             size of the elite (default 50)
  --adaptive            self-adapting choice of the crossover kind (default)
  --no-adaptive         use the --crossover kind throughout
  --stop RULE           "Решение постоянно", "Всего поколений", "Не использовать"
                        or constant, generations, none (default constant)
  --stop-generations N  generation count of the stop rule (default 250)
Safety limits and replay:
  --max-generations N   stop a run after N generations
  --time-limit S        stop a run after S seconds
  --seed S              seed of the random generator (default: from the clock);
                        the same seed and settings replay the same run
  --json                print the result as one JSON object
Yardstick:
  --reference           also compute the reference route (see 'optimum') and
                        give each result's gap to it, in percent
  --reference-time-limit S
                        seconds the reference's search may take above 20
                        cities (default 5)
Names are accepted as the program shows them (exactly) or as the ASCII words
(any letter case).
)";

namespace {

template <size_t N>
uint8_t ParseName(const std::string& text, const std::array<std::string_view, N>& shown,
                  const std::array<std::string_view, N>& words, const char* what) {
    for (size_t i = 0; i < N; ++i)
        if (text == shown[i])
            return static_cast<uint8_t>(i);
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (size_t i = 0; i < N; ++i)
        if (lower == words[i])
            return static_cast<uint8_t>(i);
    std::string known;
    for (size_t i = 0; i < N; ++i)
        known += (i ? ", " : "") + std::string(words[i]);
    throw UsageError("unknown " + std::string(what) + " '" + text + "' (one of: " + known + ")");
}

constexpr std::array<std::string_view, 5> kCrossoverWords = {"op", "pmx", "triangle", "sop",
                                                             "cubx"};
constexpr std::array<std::string_view, 5> kMutationWords = {"two-random", "inverse", "reduced",
                                                            "random", "none"};
constexpr std::array<std::string_view, 3> kSelectionWords = {"tournament", "roulette", "random"};
constexpr std::array<std::string_view, 3> kStopWords = {"constant", "generations", "none"};

} // namespace

uint8_t ParseCrossoverName(const std::string& text) {
    return ParseName(text, solver::kCrossoverNames, kCrossoverWords, "crossover kind");
}

uint8_t ParseMutationName(const std::string& text) {
    return ParseName(text, solver::kMutationNames, kMutationWords, "mutation kind");
}

uint8_t ParseSelectionName(const std::string& text) {
    return ParseName(text, solver::kSelectionNames, kSelectionWords, "selection kind");
}

uint8_t ParseStopCriterionName(const std::string& text) {
    return ParseName(text, solver::kStopCriterionNames, kStopWords, "stop criterion");
}

std::set<std::string> SolveValueOptions(const std::set<std::string>& extraValues) {
    std::set<std::string> options = {
        "--population",          "--crossover",       "--mutation",   "--selection",
        "--crossover-rate",      "--mutation-rate",   "--elite",      "--stop",
        "--stop-generations",    "--max-generations", "--time-limit", "--seed",
        "--reference-time-limit"};
    options.insert(extraValues.begin(), extraValues.end());
    return options;
}

std::set<std::string> SolveFlags() {
    return {"--elitism", "--adaptive", "--no-adaptive", "--json", "--reference"};
}

SolveOptions ReadSolveOptions(const Args& args) {
    SolveOptions options;
    solver::TSolverSettings& settings = options.Settings;
    // Sizes below 2 pass here: the solver refuses them with its own message.
    settings.PopulationSize =
        static_cast<int32_t>(args.Integer("--population", settings.PopulationSize, 0, 32767));
    settings.EliteSize =
        static_cast<int32_t>(args.Integer("--elite", settings.EliteSize, 0, 32767));
    settings.StopGenerations = static_cast<int32_t>(
        args.Integer("--stop-generations", settings.StopGenerations, 0, INT32_MAX));
    settings.CrossoverRate = args.Real("--crossover-rate", 80, 0, 100) / 100;
    settings.MutationRate = args.Real("--mutation-rate", 20, 0, 100) / 100;
    if (auto name = args.Value("--crossover"))
        settings.CrossoverKind = ParseCrossoverName(*name);
    if (auto name = args.Value("--mutation"))
        settings.MutationKind = ParseMutationName(*name);
    if (auto name = args.Value("--selection"))
        settings.SelectionKind = ParseSelectionName(*name);
    if (auto name = args.Value("--stop"))
        settings.StopCriterion = ParseStopCriterionName(*name);
    settings.Elitism = args.Has("--elitism");
    if (args.Has("--adaptive") && args.Has("--no-adaptive"))
        throw UsageError("--adaptive and --no-adaptive exclude each other");
    settings.AdaptiveChoice = !args.Has("--no-adaptive");

    if (args.Has("--max-generations"))
        options.Limits.MaxGenerations =
            static_cast<int32_t>(args.Integer("--max-generations", 0, 1, INT32_MAX));
    if (args.Has("--time-limit")) {
        options.Limits.TimeLimit = args.Real("--time-limit", 0, 0, 1e9);
        if (!(*options.Limits.TimeLimit > 0))
            throw UsageError("--time-limit must be above 0 seconds");
    }
    if (args.Has("--seed"))
        options.Seed = static_cast<uint32_t>(args.Integer("--seed", 0, 0, 4294967295LL));
    options.Json = args.Has("--json");
    options.Reference = args.Has("--reference");
    options.ReferenceTimeLimit =
        args.Real("--reference-time-limit", options.ReferenceTimeLimit, 0, 1e6);
    return options;
}

} // namespace cli
