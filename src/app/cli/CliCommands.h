#pragma once
// The commands of trasolan-cli. Each takes the arguments after its name,
// writes results to stdout and errors to stderr, and returns the exit status:
// 0 success, 1 an error of the core (bad file, unsolvable task), 2 bad usage.

#include <string>
#include <vector>

namespace cli {

using Arguments = std::vector<std::string>;

int RunGenerate(const Arguments& args);
int RunSelect(const Arguments& args);
int RunInfo(const Arguments& args);
int RunSolve(const Arguments& args);
int RunCrossoverTest(const Arguments& args);
int RunImport(const Arguments& args);
int RunOptimum(const Arguments& args);

} // namespace cli
