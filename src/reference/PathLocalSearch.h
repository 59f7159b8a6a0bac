#pragma once
// Local search on a path through all terminals whose two ends are fixed:
// terminal 0 stays first and terminal n-1 last. Moves: 2-opt (reverse a
// stretch), Or-opt (move a stretch of one to three terminals elsewhere,
// either way round) and its unbounded form (move a stretch of any length,
// kept in its direction), tried from the nearest neighbours of each
// terminal, with a queue of terminals still worth a look ("don't-look bits").
//
// Distances may be asymmetric (one-way roads): a reversed stretch is then
// priced with the distances of its reversed steps, from running sums of the
// steps forwards and backwards along the path.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace reference {

class TFixedEndsPath {
public:
    // distances: n x n row-major, n >= 2.
    TFixedEndsPath(const std::vector<double>& distances, int32_t n);

    int32_t Size() const { return n_; }
    // order: all n terminals, 0 first and n-1 last. Queues every terminal.
    void Assign(const std::vector<int32_t>& order);
    const std::vector<int32_t>& Order() const { return order_; }
    // Goes back to an order this path held after Optimise (nothing is queued).
    void Restore(const std::vector<int32_t>& order);
    // The length summed afresh along the path.
    double Length() const;
    // Applies improving moves until no queued terminal offers one.
    void Optimise();
    // A kick: the stretches at positions [first, middle) and [middle, end)
    // swap places (1 <= first < middle < end <= n-1). Queues the terminals
    // at the three changed joints.
    void ExchangeStretches(int32_t first, int32_t middle, int32_t end);

private:
    double D(int32_t a, int32_t b) const {
        return d_[static_cast<size_t>(a) * static_cast<size_t>(n_) + static_cast<size_t>(b)];
    }
    int32_t At(int32_t position) const { return order_[static_cast<size_t>(position)]; }
    int32_t PositionOf(int32_t terminal) const { return position_[static_cast<size_t>(terminal)]; }
    const int32_t* Neighbours(int32_t terminal) const {
        return &neighbours_[static_cast<size_t>(terminal) * static_cast<size_t>(neighbourCount_)];
    }
    double Near(int32_t a, int32_t b) const { return D(a, b) < D(b, a) ? D(a, b) : D(b, a); }

    void BuildNeighbours();
    void Queue(int32_t terminal);
    // What reversing positions [lo, hi] changes in the steps inside it.
    double ReversalChange(int32_t lo, int32_t hi) const;
    double TwoOptGain(int32_t lo, int32_t hi) const;
    bool TryTwoOpt(int32_t terminal);
    struct TStretchMove {
        double Gain;
        int32_t First, Last, After; // stretch [First, Last] goes behind position After
        bool Reversed;
    };
    void BestPlace(int32_t terminal, int32_t first, int32_t last, TStretchMove& best) const;
    bool TryOrOpt(int32_t terminal);
    // Or-opt for a stretch of any length that starts (ends) at the terminal,
    // without turning it: exact for one-way distances as they stand.
    bool TryLongStretch(int32_t terminal);
    bool TryLongStretchBack(int32_t terminal);
    void Reverse(int32_t lo, int32_t hi);
    void MoveStretch(int32_t first, int32_t last, int32_t after, bool reversed);
    // Positions and running sums from `from` on, after the order changed there.
    void Refresh(int32_t from, int32_t to);

    const std::vector<double>& d_;
    int32_t n_;
    bool symmetric_ = true;
    double epsilon_ = 0; // smallest gain that counts, against rounding noise
    int32_t neighbourCount_ = 0;
    std::vector<int32_t> neighbours_;
    std::vector<int32_t> order_;
    std::vector<int32_t> position_;
    // forward_[k] / backward_[k]: sums over the inner steps r < k (1 <= r <= n-3)
    // of D(order r, order r+1) and D(order r+1, order r); kept only when asymmetric.
    std::vector<double> forward_;
    std::vector<double> backward_;
    std::vector<int32_t> queue_;
    size_t queueHead_ = 0; // a ring of at most n terminals
    size_t queueSize_ = 0;
    std::vector<char> queued_;
};

} // namespace reference
