#pragma once
// Number and JSON text for the results of solve and crossover-test.

#include "solver/SolverSettings.h"

#include <string>
#include <string_view>

namespace cli {

// The shortest text that reads back as the same double, with a point
// ("1234.5678"); "nan"/"inf" for the values JSON cannot hold.
std::string NumberText(double value);
// Fixed number of decimals ("1.234").
std::string FixedText(double value, int decimals);

// A JSON string literal: quotes, backslashes and control characters escaped,
// other UTF-8 bytes as they are.
std::string JsonString(std::string_view text);
// A JSON number (shortest round-trip form), or null for NaN and infinities.
std::string JsonNumber(double value);

// The settings as a JSON object, names as the program shows them.
std::string SettingsJson(const solver::TSolverSettings& settings);
// The settings as one line of text; without the crossover kind and the
// adaptive switch for the crossover test, whose rows set them.
std::string SettingsText(const solver::TSolverSettings& settings, bool withCrossover = true);

} // namespace cli
