#include "core/ProgressPoll.h"

#include <utility>

TProgressPoll::TProgressPoll(Handler handler, Clock::duration interval)
    : handler_(std::move(handler)), interval_(interval), due_(Clock::now() + interval) {}

void TProgressPoll::Begin(int64_t total) {
    total_ = total;
    done_ = 0;
}

bool TProgressPoll::Check() {
    countdown_ = kStride;
    if (stopped_)
        return false;
    const Clock::time_point now = Clock::now();
    if (now < due_)
        return true;
    if (handler_ && !handler_(done_, total_))
        stopped_ = true;
    // The next report is one interval after this one has been handled, so a
    // slow handler (one that repaints) still leaves the computation its time.
    due_ = Clock::now() + interval_;
    return !stopped_;
}
