#pragma once
// What watches the runs of crossover-test --jobs N, which go on on several
// threads at once: Ctrl+C and the safety limits of each run, in its own
// generation handler, and one progress line counting the runs done.

#include "app/cli/CliSolveOptions.h"
#include "solver/AlgorithmGetetic.h"

#include <cstdint>

namespace cli {

class ParallelRunWatch {
public:
    // progress: draw the progress line on stderr (only when it is a terminal).
    ParallelRunWatch(const SolveLimits& limits, int32_t runs, bool progress);
    ~ParallelRunWatch();
    ParallelRunWatch(const ParallelRunWatch&) = delete;
    ParallelRunWatch& operator=(const ParallelRunWatch&) = delete;

    // The generation handler of one run, made in the thread that makes it:
    // it stops its population on Ctrl+C or at a limit, and touches nothing
    // else.
    solver::TGenerationEvent MakeHandler() const;
    // After every run (one thread at a time): counts it, redraws the line,
    // and answers whether the test is to end (Ctrl+C).
    bool RunDone();

private:
    SolveLimits limits_;
    int32_t runs_;
    int32_t done_ = 0;
    bool progress_;
};

} // namespace cli
