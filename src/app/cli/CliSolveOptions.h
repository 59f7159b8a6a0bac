#pragma once
// The options shared by solve and crossover-test: every setting of the solver
// panel with the panel's initial values, the safety limits of a run, the seed
// and the output form.

#include "app/cli/CliArgs.h"
#include "solver/SolverSettings.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>

namespace cli {

struct SolveLimits {
    std::optional<int32_t> MaxGenerations; // Stop after this many generations
    std::optional<double> TimeLimit;       // Stop after this many seconds of a run
};

struct SolveOptions {
    solver::TSolverSettings Settings;
    SolveLimits Limits;
    std::optional<uint32_t> Seed; // none: from the clock
    bool Json = false;
    bool Reference = false;          // also the reference route and each result's gap to it
    double ReferenceTimeLimit = 5.0; // seconds the reference's search may take
};

// Option names taking a value / flags, for Args. `extraValues` are added.
std::set<std::string> SolveValueOptions(const std::set<std::string>& extraValues = {});
std::set<std::string> SolveFlags();

// Reads the options; UsageError for a bad value or name.
SolveOptions ReadSolveOptions(const Args& args);

// A setting's code from its name: the name the program shows (exactly, in
// UTF-8) or the ASCII word (any letter case). UsageError otherwise.
uint8_t ParseCrossoverName(const std::string& text);
uint8_t ParseMutationName(const std::string& text);
uint8_t ParseSelectionName(const std::string& text);
uint8_t ParseStopCriterionName(const std::string& text);

// The help text of the shared options.
extern const char* const kSolveOptionsHelp;

} // namespace cli
