// trasolan-cli: generates, imports, checks and solves road maps without the window.

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

namespace {

struct Command {
    const char* name;
    int (*run)(const cli::Arguments&);
    const char* summary;
};

const Command kCommands[] = {
    {"generate", &cli::RunGenerate, "make a random map"},
    {"select", &cli::RunSelect, "set the ordered selection of cities of a map"},
    {"info", &cli::RunInfo, "describe a map and check that its task can be solved"},
    {"solve", &cli::RunSolve, "find a short route with the genetic algorithm"},
    {"crossover-test", &cli::RunCrossoverTest, "compare the crossover kinds on a map"},
    {"import", &cli::RunImport, "make a map from a TSPLIB problem or a city list"},
    {"optimum", &cli::RunOptimum, "the shortest route (or the best found) as a yardstick"},
};

void PrintUsage(std::ostream& out) {
    out << "Usage: trasolan-cli COMMAND [OPTIONS]\n\nCommands:\n";
    for (const Command& command : kCommands)
        out << "  " << command.name << std::string(16 - std::string(command.name).size(), ' ')
            << command.summary << "\n";
    out << "\nRun 'trasolan-cli COMMAND --help' for the options of a command.\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(std::cout);
        return 0;
    }
    cli::Arguments args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (name != command.name)
            continue;
        try {
            return command.run(args);
        } catch (const cli::UsageError& error) {
            std::cerr << "trasolan-cli " << name << ": " << error.what() << "\n"
                      << "Try 'trasolan-cli " << name << " --help'.\n";
            return 2;
        } catch (const std::exception& error) {
            std::cerr << "trasolan-cli " << name << ": " << error.what() << "\n";
            return 1;
        }
    }
    std::cerr << "trasolan-cli: unknown command '" << name << "'\n";
    PrintUsage(std::cerr);
    return 2;
}
