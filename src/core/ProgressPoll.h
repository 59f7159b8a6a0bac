#pragma once
// Progress and stopping for a long computation of the engine (the start of a
// solver run on a large map). The computation calls Poll() from its inner
// loops and Advance() when a unit of work is done; the poll looks at the clock
// only every so many calls and raises its handler at most once per interval.
// The handler answers whether to go on, so the caller can stop the work.

#include <chrono>
#include <cstdint>
#include <functional>

class TProgressPoll {
public:
    using Clock = std::chrono::steady_clock;
    // done of total units; returns false to stop the computation.
    using Handler = std::function<bool(int64_t done, int64_t total)>;

    TProgressPoll(Handler handler, Clock::duration interval);

    // Starts a stage of `total` units, none done. The interval runs on.
    void Begin(int64_t total);
    // `units` more are done. False once the computation is to stop.
    bool Advance(int64_t units = 1) {
        done_ += units;
        return Poll();
    }
    // Called from inner loops. False once the computation is to stop.
    bool Poll() {
        if (--countdown_ > 0)
            return !stopped_;
        return Check();
    }
    bool Stopped() const { return stopped_; }
    int64_t Done() const { return done_; }
    int64_t Total() const { return total_; }

private:
    // Inner loop steps between two looks at the clock: a step of a road walk
    // takes some nanoseconds, so the clock is read every few microseconds.
    static constexpr int32_t kStride = 1024;

    bool Check();

    Handler handler_;
    Clock::duration interval_;
    Clock::time_point due_;
    int64_t done_ = 0;
    int64_t total_ = 0;
    int32_t countdown_ = kStride;
    bool stopped_ = false;
};
