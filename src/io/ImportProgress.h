#pragma once
// Progress and cancellation of a long import. The import may run in a worker
// thread: it calls Report from that thread and polls Cancel, which the window
// sets from its own thread. Cancel is polled at least every few thousand
// objects, so a cancel takes effect within a fraction of a second.

#include <atomic>
#include <functional>
#include <stdexcept>

// The import stopped because the user cancelled it; nothing was changed.
class EImportCancelled : public std::runtime_error {
public:
    EImportCancelled() : std::runtime_error("Импорт отменён") {}
};

class TImportProgress {
public:
    std::function<void(int percent)> Report; // 0 … 100, each value once at most
    const std::atomic<bool>* Cancel = nullptr;

    // Raises EImportCancelled once Cancel is set.
    void CheckCancel() const {
        if (Cancel && Cancel->load(std::memory_order_relaxed))
            throw EImportCancelled();
    }
    // Reports `percent` when it moved on since the last report, then checks
    // for a cancel.
    void Advance(int percent) const {
        if (Report && percent > reported_) {
            reported_ = percent;
            Report(percent);
        }
        CheckCancel();
    }

private:
    mutable int reported_ = -1;
};
