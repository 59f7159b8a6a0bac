#pragma once
// What watches a run from the command line: Ctrl+C, the safety limits and the
// progress line. All of it happens in the population's generation event, the
// one place between two generations, by calling Stop() as the window's Stop
// button does.

#include "app/cli/CliSolveOptions.h"
#include "solver/AlgorithmGetetic.h"

#include <chrono>
#include <string>

namespace cli {

// Catches SIGINT while it lives: the first Ctrl+C only raises a flag (the run
// stops after its generation), a second one ends the program as usual.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;
    static bool Interrupted();
};

enum class RunEnd { Criterion, MaxGenerations, TimeLimit, Interrupt, Stopped };
const char* RunEndName(RunEnd end); // "criterion", "max-generations", ...

class RunMonitor {
public:
    // progress: draw the progress line on stderr (only when it is a terminal).
    RunMonitor(const SolveLimits& limits, bool progress);
    ~RunMonitor();

    // Starts the clock of a new run; `label` leads the progress line.
    void BeginRun(const std::string& label = {});
    // The population's OnGeneration handler.
    void OnGeneration(solver::TTSPPopulation& population, int32_t generation, double best,
                      double worst);
    // After Run returned: why it ended, and clears the progress line.
    RunEnd EndRun(const solver::TTSPPopulation& population);
    // Clears the progress line after a run.
    void FinishRun() { ClearProgress(); }
    double Seconds() const;

    // True when stderr is a terminal.
    static bool ProgressWanted();

private:
    void DrawProgress(int32_t generation, double best, double worst);
    void ClearProgress();

    SolveLimits limits_;
    bool progress_;
    std::string label_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDrawn_;
    bool drawn_ = false;
    RunEnd end_ = RunEnd::Stopped;
    bool stoppedByUs_ = false;
};

} // namespace cli
