#include "app/cli/CliSolveRun.h"

#include "app/cli/CliSolveOutput.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;
struct sigaction g_previous;

extern "C" void OnInterrupt(int) {
    g_interrupted = 1;
}

// The progress line is redrawn at most this often.
constexpr auto kProgressInterval = std::chrono::milliseconds(200);

} // namespace

InterruptGuard::InterruptGuard() {
    g_interrupted = 0;
    struct sigaction action {};
    action.sa_handler = &OnInterrupt;
    sigemptyset(&action.sa_mask);
    // One-shot: a second Ctrl+C finds the default action and ends the program.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, &g_previous);
}

InterruptGuard::~InterruptGuard() {
    sigaction(SIGINT, &g_previous, nullptr);
}

bool InterruptGuard::Interrupted() {
    return g_interrupted != 0;
}

const char* RunEndName(RunEnd end) {
    switch (end) {
    case RunEnd::Criterion:
        return "criterion";
    case RunEnd::MaxGenerations:
        return "max-generations";
    case RunEnd::TimeLimit:
        return "time-limit";
    case RunEnd::Interrupt:
        return "interrupt";
    case RunEnd::Stopped:
        break;
    }
    return "stopped";
}

RunMonitor::RunMonitor(const SolveLimits& limits, bool progress)
    : limits_(limits), progress_(progress && ProgressWanted()) {}

RunMonitor::~RunMonitor() {
    ClearProgress();
}

bool RunMonitor::ProgressWanted() {
    return isatty(STDERR_FILENO) == 1;
}

void RunMonitor::BeginRun(const std::string& label) {
    label_ = label;
    start_ = std::chrono::steady_clock::now();
    lastDrawn_ = start_;
    end_ = RunEnd::Stopped;
    stoppedByUs_ = false;
}

double RunMonitor::Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void RunMonitor::OnGeneration(solver::TTSPPopulation& population, int32_t generation, double best,
                              double worst) {
    if (InterruptGuard::Interrupted()) {
        end_ = RunEnd::Interrupt;
        stoppedByUs_ = true;
    } else if (limits_.MaxGenerations && generation >= *limits_.MaxGenerations) {
        end_ = RunEnd::MaxGenerations;
        stoppedByUs_ = true;
    } else if (limits_.TimeLimit && Seconds() >= *limits_.TimeLimit) {
        end_ = RunEnd::TimeLimit;
        stoppedByUs_ = true;
    }
    if (stoppedByUs_) {
        population.Stop();
        return;
    }
    if (progress_) {
        const auto now = std::chrono::steady_clock::now();
        if (!drawn_ || now - lastDrawn_ >= kProgressInterval) {
            lastDrawn_ = now;
            DrawProgress(generation, best, worst);
        }
    }
}

RunEnd RunMonitor::EndRun(const solver::TTSPPopulation& population) {
    ClearProgress();
    if (!stoppedByUs_ && population.State() == solver::stFinished)
        end_ = RunEnd::Criterion;
    return end_;
}

void RunMonitor::DrawProgress(int32_t generation, double best, double worst) {
    std::string line = "\r" + label_ + "generation " + std::to_string(generation) + "  best " +
                       FixedText(best, 2) + "  worst " + FixedText(worst, 2) + "  elapsed " +
                       FixedText(Seconds(), 1) + " s\033[K";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    drawn_ = true;
}

void RunMonitor::ClearProgress() {
    if (!drawn_)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    drawn_ = false;
}

} // namespace cli
