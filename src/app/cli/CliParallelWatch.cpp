#include "app/cli/CliParallelWatch.h"

#include "app/cli/CliSolveRun.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace cli {

ParallelRunWatch::ParallelRunWatch(const SolveLimits& limits, int32_t runs, bool progress)
    : limits_(limits), runs_(runs), progress_(progress && RunMonitor::ProgressWanted()) {}

ParallelRunWatch::~ParallelRunWatch() {
    if (progress_ && done_ > 0) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}

solver::TGenerationEvent ParallelRunWatch::MakeHandler() const {
    const auto start = std::chrono::steady_clock::now();
    return [limits = limits_, start](solver::TTSPPopulation& population, int32_t generation, double,
                                     double) {
        const bool overTime =
            limits.TimeLimit &&
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() >=
                *limits.TimeLimit;
        if (InterruptGuard::Interrupted() ||
            (limits.MaxGenerations && generation >= *limits.MaxGenerations) || overTime)
            population.Stop();
    };
}

bool ParallelRunWatch::RunDone() {
    ++done_;
    if (progress_) {
        const std::string line =
            "\rruns done " + std::to_string(done_) + " of " + std::to_string(runs_) + "\033[K";
        std::fputs(line.c_str(), stderr);
        std::fflush(stderr);
    }
    return InterruptGuard::Interrupted();
}

} // namespace cli
