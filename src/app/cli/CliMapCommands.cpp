// generate, select, info: being written.
#include "app/cli/CliCommands.h"

#include <stdexcept>

namespace cli {

int RunGenerate(const Arguments&) { throw std::runtime_error("generate is not available yet"); }
int RunSelect(const Arguments&) { throw std::runtime_error("select is not available yet"); }
int RunInfo(const Arguments&) { throw std::runtime_error("info is not available yet"); }

} // namespace cli
