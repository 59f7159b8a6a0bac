#pragma once
// What steers a reference computation from outside: a cancel flag that another
// thread may raise at any time, a deadline for the search, and a progress
// callback. The computation polls them between small steps of its own.

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace reference {

// The stage a computation is in, for a progress display.
enum class TReferencePhase { Closure, Exact, Heuristic };

struct TReferenceProgress {
    TReferencePhase Phase = TReferencePhase::Closure;
    double Fraction = 0;     // of this stage, 0 ... 1
    double BestLength = NAN; // of the best order found so far (NaN before any)
};

using TProgressHandler = std::function<void(const TReferenceProgress&)>;

// Raised out of a computation whose cancel flag was raised. It carries no
// result: a cancelled computation is simply abandoned.
class EReferenceCancelled : public std::runtime_error {
public:
    EReferenceCancelled() : std::runtime_error("reference computation cancelled") {}
};

class TSearchControl {
public:
    using Clock = std::chrono::steady_clock;

    TSearchControl(const std::atomic<bool>* cancel, TProgressHandler onProgress,
                   Clock::time_point deadline)
        : cancel_(cancel), onProgress_(std::move(onProgress)), deadline_(deadline) {}

    void ThrowIfCancelled() const {
        if (cancel_ && cancel_->load(std::memory_order_relaxed))
            throw EReferenceCancelled();
    }
    bool PastDeadline() const { return Clock::now() >= deadline_; }
    void Report(TReferencePhase phase, double fraction, double best = NAN) const {
        if (onProgress_)
            onProgress_({phase, fraction, best});
    }

private:
    const std::atomic<bool>* cancel_;
    TProgressHandler onProgress_;
    Clock::time_point deadline_;
};

} // namespace reference
