// solve and crossover-test: being written.
#include "app/cli/CliCommands.h"

#include <stdexcept>

namespace cli {

int RunSolve(const Arguments&) { throw std::runtime_error("solve is not available yet"); }
int RunCrossoverTest(const Arguments&) {
    throw std::runtime_error("crossover-test is not available yet");
}

} // namespace cli
