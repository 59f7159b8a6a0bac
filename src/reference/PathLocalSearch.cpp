// 2-opt and Or-opt with neighbour lists on a path with fixed ends.

#include "reference/PathLocalSearch.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace reference {

namespace {

constexpr int32_t kNeighbours = 8;
constexpr int32_t kLongestStretch = 3; // of Or-opt

} // namespace

TFixedEndsPath::TFixedEndsPath(const std::vector<double>& distances, int32_t n)
    : d_(distances), n_(n), order_(static_cast<size_t>(n)), position_(static_cast<size_t>(n)),
      queue_(static_cast<size_t>(n)), queued_(static_cast<size_t>(n), 0) {
    // Reversals only ever turn steps between inner terminals around.
    for (int32_t a = 1; a + 1 < n_ && symmetric_; ++a)
        for (int32_t b = 1; b < a; ++b)
            if (std::abs(D(a, b) - D(b, a)) > 1e-12 * std::max(1.0, D(a, b)))
                symmetric_ = false;
    if (!symmetric_) {
        forward_.assign(static_cast<size_t>(n), 0);
        backward_.assign(static_cast<size_t>(n), 0);
    }
    BuildNeighbours();
}

void TFixedEndsPath::BuildNeighbours() {
    neighbourCount_ = std::min(kNeighbours, n_ - 1);
    neighbours_.assign(static_cast<size_t>(n_) * static_cast<size_t>(neighbourCount_), 0);
    std::vector<int32_t> others;
    for (int32_t a = 0; a < n_; ++a) {
        others.clear();
        for (int32_t b = 0; b < n_; ++b)
            if (b != a)
                others.push_back(b);
        const auto nearer = [&](int32_t x, int32_t y) {
            const double dx = Near(a, x);
            const double dy = Near(a, y);
            return dx < dy || (dx == dy && x < y);
        };
        std::partial_sort(others.begin(), others.begin() + neighbourCount_, others.end(), nearer);
        std::copy_n(others.begin(), neighbourCount_,
                    neighbours_.begin() + static_cast<ptrdiff_t>(a) * neighbourCount_);
    }
}

void TFixedEndsPath::Assign(const std::vector<int32_t>& order) {
    order_ = order;
    Refresh(0, n_ - 1);
    double length = Length();
    epsilon_ = 1e-10 * (std::isfinite(length) ? length : 1.0) / std::max(1, n_ - 1);
    std::fill(queued_.begin(), queued_.end(), 0);
    queueHead_ = 0;
    for (int32_t t = 0; t < n_; ++t) {
        queue_[static_cast<size_t>(t)] = order_[static_cast<size_t>(t)];
        queued_[static_cast<size_t>(t)] = 1;
    }
    queueSize_ = static_cast<size_t>(n_);
}

void TFixedEndsPath::Restore(const std::vector<int32_t>& order) {
    order_ = order;
    Refresh(0, n_ - 1);
}

double TFixedEndsPath::Length() const {
    double length = 0;
    for (int32_t p = 0; p + 1 < n_; ++p)
        length += D(At(p), At(p + 1));
    return length;
}

void TFixedEndsPath::Queue(int32_t terminal) {
    if (queued_[static_cast<size_t>(terminal)])
        return;
    queued_[static_cast<size_t>(terminal)] = 1;
    queue_[(queueHead_ + queueSize_) % static_cast<size_t>(n_)] = terminal;
    ++queueSize_;
}

void TFixedEndsPath::Optimise() {
    // Every move shortens the path by more than epsilon_, so the search ends;
    // the cap only guards against rounding in sums that a tiny asymmetry
    // (taken as none) could leave inconsistent.
    for (int64_t visits = 64 * int64_t{n_} + 4096; queueSize_ > 0 && visits > 0; --visits) {
        const int32_t terminal = queue_[queueHead_];
        queueHead_ = (queueHead_ + 1) % static_cast<size_t>(n_);
        --queueSize_;
        queued_[static_cast<size_t>(terminal)] = 0;
        if (TryTwoOpt(terminal) || TryOrOpt(terminal) || TryLongStretch(terminal) ||
            TryLongStretchBack(terminal))
            Queue(terminal);
    }
}

void TFixedEndsPath::Refresh(int32_t from, int32_t to) {
    for (int32_t p = from; p <= to; ++p)
        position_[static_cast<size_t>(At(p))] = p;
    if (symmetric_)
        return;
    for (int32_t k = std::max(from, 1); k < n_; ++k) {
        const int32_t r = k - 1; // the step ending at position k
        const bool inner = r >= 1 && r <= n_ - 3;
        forward_[static_cast<size_t>(k)] =
            forward_[static_cast<size_t>(r)] + (inner ? D(At(r), At(k)) : 0.0);
        backward_[static_cast<size_t>(k)] =
            backward_[static_cast<size_t>(r)] + (inner ? D(At(k), At(r)) : 0.0);
    }
}

double TFixedEndsPath::ReversalChange(int32_t lo, int32_t hi) const {
    if (symmetric_)
        return 0;
    return (backward_[static_cast<size_t>(hi)] - backward_[static_cast<size_t>(lo)]) -
           (forward_[static_cast<size_t>(hi)] - forward_[static_cast<size_t>(lo)]);
}

// Gain (positive = shorter) of reversing positions [lo, hi], 1 <= lo < hi <= n-2.
double TFixedEndsPath::TwoOptGain(int32_t lo, int32_t hi) const {
    const int32_t before = At(lo - 1), first = At(lo), last = At(hi), after = At(hi + 1);
    return D(before, first) + D(last, after) - D(before, last) - D(first, after) -
           ReversalChange(lo, hi);
}

void TFixedEndsPath::Reverse(int32_t lo, int32_t hi) {
    std::reverse(order_.begin() + lo, order_.begin() + hi + 1);
    Refresh(lo, hi);
    Queue(At(lo - 1));
    Queue(At(lo));
    Queue(At(hi));
    Queue(At(hi + 1));
}

bool TFixedEndsPath::TryTwoOpt(int32_t terminal) {
    const int32_t i = PositionOf(terminal);
    const double outLength = i + 1 < n_ ? D(terminal, At(i + 1)) : -1.0;
    const double inLength = i > 0 ? D(At(i - 1), terminal) : -1.0;
    const double bound = std::max(outLength, inLength);
    double bestGain = epsilon_;
    int32_t bestLo = 0, bestHi = 0;
    const auto consider = [&](int32_t lo, int32_t hi) {
        if (lo < 1 || hi > n_ - 2 || lo >= hi)
            return;
        const double gain = TwoOptGain(lo, hi);
        if (gain > bestGain) {
            bestGain = gain;
            bestLo = lo;
            bestHi = hi;
        }
    };
    const int32_t* near = Neighbours(terminal);
    for (int32_t k = 0; k < neighbourCount_; ++k) {
        const int32_t other = near[k];
        const double step = Near(terminal, other);
        if (step >= bound)
            break;
        const int32_t j = PositionOf(other);
        if (step < outLength) // a new step between the terminal and its old successor's place
            consider(j > i ? i + 1 : j + 1, j > i ? j : i);
        if (step < inLength) // the same on the side of its predecessor
            consider(j < i ? j : i, j < i ? i - 1 : j - 1);
    }
    if (bestHi == 0)
        return false;
    Reverse(bestLo, bestHi);
    return true;
}

void TFixedEndsPath::MoveStretch(int32_t first, int32_t last, int32_t after, bool reversed) {
    const int32_t length = last - first + 1;
    int32_t lo, hi, placed;
    if (after < first) {
        std::rotate(order_.begin() + after + 1, order_.begin() + first, order_.begin() + last + 1);
        lo = after + 1;
        hi = last;
        placed = after + 1;
    } else {
        std::rotate(order_.begin() + first, order_.begin() + last + 1, order_.begin() + after + 1);
        lo = first;
        hi = after;
        placed = after - length + 1;
    }
    if (reversed)
        std::reverse(order_.begin() + placed, order_.begin() + placed + length);
    Refresh(lo, hi);
    for (int32_t p :
         {lo - 1, lo, placed - 1, placed, placed + length - 1, placed + length, hi, hi + 1})
        if (p >= 0 && p < n_)
            Queue(At(p));
}

// The best place for the stretch [first, last] next to a neighbour of the
// terminal (one of its ends), either way round.
void TFixedEndsPath::BestPlace(int32_t terminal, int32_t first, int32_t last,
                               TStretchMove& best) const {
    const int32_t before = At(first - 1), head = At(first), tail = At(last), after = At(last + 1);
    const double removed = D(before, head) + D(tail, after) - D(before, after);
    double inside = 0; // what turning the stretch around changes inside it
    for (int32_t p = first; p < last; ++p)
        inside += D(At(p + 1), At(p)) - D(At(p), At(p + 1));
    // A new step at the terminal must be shorter than the one it loses.
    const double limit =
        std::max(head == terminal ? D(before, head) : 0.0, tail == terminal ? D(tail, after) : 0.0);
    const int32_t* near = Neighbours(terminal);
    for (int32_t k = 0; k < neighbourCount_; ++k) {
        const int32_t other = near[k];
        if (Near(terminal, other) >= limit)
            break;
        const int32_t j = PositionOf(other);
        for (int32_t at : {j, j - 1}) {
            if (at < 0 || at > n_ - 2 || (at >= first - 1 && at <= last))
                continue;
            const int32_t x = At(at), y = At(at + 1);
            const double straight = D(x, head) + D(tail, y);
            const double turned = D(x, tail) + D(head, y) + inside;
            const double gain = removed + D(x, y) - std::min(straight, turned);
            if (gain > best.Gain)
                best = {gain, first, last, at, turned < straight};
        }
    }
}

bool TFixedEndsPath::TryOrOpt(int32_t terminal) {
    const int32_t i = PositionOf(terminal);
    if (i == 0 || i == n_ - 1)
        return false;
    TStretchMove best{epsilon_, 0, 0, 0, false};
    for (int32_t length = 1; length <= kLongestStretch; ++length) {
        // The stretch starts or ends at the terminal (one stretch when it is alone).
        const int32_t starts[2] = {i, i - length + 1};
        for (int32_t s = 0; s < (length == 1 ? 1 : 2); ++s) {
            const int32_t first = starts[s];
            const int32_t last = first + length - 1;
            if (first >= 1 && last <= n_ - 2)
                BestPlace(terminal, first, last, best);
        }
    }
    if (best.First == 0)
        return false;
    MoveStretch(best.First, best.Last, best.After, best.Reversed);
    return true;
}

// Moves the stretch that starts at the terminal, of any length, between two
// neighbours c -> d elsewhere, keeping its direction (so one-way distances
// need no care): the new steps c -> terminal and (stretch end) -> d come from
// the neighbour lists of the terminal and of d.
bool TFixedEndsPath::TryLongStretch(int32_t terminal) {
    const int32_t i = PositionOf(terminal);
    if (i == 0 || i == n_ - 1)
        return false;
    const int32_t before = At(i - 1);
    const double lost = D(before, terminal);
    TStretchMove best{epsilon_, 0, 0, 0, false};
    const int32_t* near = Neighbours(terminal);
    for (int32_t k = 0; k < neighbourCount_; ++k) {
        const int32_t c = near[k];
        if (Near(terminal, c) >= lost)
            break;
        const int32_t j = PositionOf(c);
        if (j >= n_ - 1 || j == i - 1)
            continue;
        const int32_t d = At(j + 1);
        // The stretch [i, last] ends before c when c lies behind it, anywhere
        // up to the end's predecessor when c lies in front.
        const int32_t lastLimit = j > i ? j - 1 : n_ - 2;
        const double gained = lost + D(c, d) - D(c, terminal);
        const int32_t* nearD = Neighbours(d);
        for (int32_t m = 0; m < neighbourCount_; ++m) {
            const int32_t tail = nearD[m];
            const int32_t last = PositionOf(tail);
            if (last < i || last > lastLimit)
                continue;
            const int32_t after = At(last + 1);
            const double gain = gained + D(tail, after) - D(before, after) - D(tail, d);
            if (gain > best.Gain)
                best = {gain, i, last, j, false};
        }
    }
    if (best.First == 0)
        return false;
    MoveStretch(best.First, best.Last, best.After, false);
    return true;
}

// The mirror image: the stretch ends at the terminal, the new steps
// terminal -> d and c -> (stretch head) come from the lists of the terminal and of c.
bool TFixedEndsPath::TryLongStretchBack(int32_t terminal) {
    const int32_t i = PositionOf(terminal);
    if (i == 0 || i == n_ - 1)
        return false;
    const int32_t after = At(i + 1);
    const double lost = D(terminal, after);
    TStretchMove best{epsilon_, 0, 0, 0, false};
    const int32_t* near = Neighbours(terminal);
    for (int32_t k = 0; k < neighbourCount_; ++k) {
        const int32_t d = near[k];
        if (Near(terminal, d) >= lost)
            break;
        const int32_t jd = PositionOf(d);
        if (jd == 0 || jd == i + 1)
            continue;
        const int32_t c = At(jd - 1);
        const int32_t firstLow = jd > i ? 1 : jd + 1;
        const double gained = lost + D(c, d) - D(terminal, d);
        const int32_t* nearC = Neighbours(c);
        for (int32_t m = 0; m < neighbourCount_; ++m) {
            const int32_t head = nearC[m];
            const int32_t first = PositionOf(head);
            if (first < firstLow || first > i)
                continue;
            const int32_t before = At(first - 1);
            const double gain = gained + D(before, head) - D(before, after) - D(c, head);
            if (gain > best.Gain)
                best = {gain, first, i, jd - 1, false};
        }
    }
    if (best.First == 0)
        return false;
    MoveStretch(best.First, best.Last, best.After, false);
    return true;
}

void TFixedEndsPath::ExchangeStretches(int32_t first, int32_t middle, int32_t end) {
    std::rotate(order_.begin() + first, order_.begin() + middle, order_.begin() + end);
    Refresh(first, end - 1);
    const int32_t joint = first + (end - middle);
    for (int32_t p : {first - 1, first, joint - 1, joint, end - 1, end})
        if (p >= 0 && p < n_)
            Queue(At(p));
}

} // namespace reference
