// Farthest insertion and the iterated local search.

#include "reference/IteratedSearch.h"

#include "reference/PathLocalSearch.h"

#include <algorithm>
#include <limits>

namespace reference {

namespace {

// SplitMix64: small, fast and the same on every platform.
class TSearchRandom {
public:
    explicit TSearchRandom(uint64_t seed) : state_(seed) {}
    // Uniform in 0 ... n-1 (n >= 1).
    int32_t Below(int32_t n) {
        state_ += 0x9E3779B97F4A7C15ull;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<int32_t>((z >> 32) * static_cast<uint64_t>(n) >> 32);
    }

private:
    uint64_t state_;
};

constexpr uint64_t kSeed = 0x5EED'0F'7EA5'0AULL;
// A kicked path that is longer than the current one by less than this share
// of an average step is still taken: enough to leave a deep local optimum,
// too little to drift away from good paths (measured on random plane and
// road-network instances: 0.2 did best between 0 and 1).
constexpr double kSlackSteps = 0.2;

double Step(const std::vector<double>& d, int32_t n, int32_t a, int32_t b) {
    return d[static_cast<size_t>(a) * static_cast<size_t>(n) + static_cast<size_t>(b)];
}

// Three different cut positions 1 <= first < middle < end <= n-1, uniformly:
// the stretches between them may be of any length.
void ChooseKick(TSearchRandom& random, int32_t n, int32_t& first, int32_t& middle, int32_t& end) {
    int32_t cut[3];
    do {
        for (int32_t& c : cut)
            c = 1 + random.Below(n - 1);
    } while (cut[0] == cut[1] || cut[1] == cut[2] || cut[0] == cut[2]);
    std::sort(cut, cut + 3);
    first = cut[0];
    middle = cut[1];
    end = cut[2];
}

} // namespace

THeuristicEffort DefaultEffort(int32_t n) {
    const int64_t size = std::max(n, 1);
    return {20'000 + 400 * size, 5'000 + 100 * size};
}

std::vector<int32_t> FarthestInsertion(const std::vector<double>& d, int32_t n) {
    std::vector<int32_t> path{0, n - 1};
    if (n <= 2)
        return n == 2 ? path : std::vector<int32_t>{0};
    const auto near = [&](int32_t a, int32_t b) {
        return std::min(Step(d, n, a, b), Step(d, n, b, a));
    };
    // Distance of each waiting terminal to the path so far (-1 once inserted).
    std::vector<double> gap(static_cast<size_t>(n), -1.0);
    for (int32_t t = 1; t + 1 < n; ++t)
        gap[static_cast<size_t>(t)] = std::min(near(t, 0), near(t, n - 1));
    for (int32_t inserted = 0; inserted < n - 2; ++inserted) {
        const int32_t chosen =
            static_cast<int32_t>(std::max_element(gap.begin(), gap.end()) - gap.begin());
        size_t place = 1;
        double cheapest = std::numeric_limits<double>::infinity();
        for (size_t p = 1; p < path.size(); ++p) {
            const double added = Step(d, n, path[p - 1], chosen) + Step(d, n, chosen, path[p]) -
                                 Step(d, n, path[p - 1], path[p]);
            if (added < cheapest) {
                cheapest = added;
                place = p;
            }
        }
        path.insert(path.begin() + static_cast<ptrdiff_t>(place), chosen);
        gap[static_cast<size_t>(chosen)] = -1.0;
        for (int32_t t = 1; t + 1 < n; ++t)
            if (gap[static_cast<size_t>(t)] >= 0)
                gap[static_cast<size_t>(t)] =
                    std::min(gap[static_cast<size_t>(t)], near(t, chosen));
    }
    return path;
}

std::vector<int32_t> HeuristicOrder(const std::vector<double>& distances, int32_t n,
                                    const TSearchControl& control, const THeuristicEffort& effort) {
    control.ThrowIfCancelled();
    TFixedEndsPath path(distances, n);
    path.Assign(FarthestInsertion(distances, n));
    control.ThrowIfCancelled();
    path.Optimise();
    std::vector<int32_t> best = path.Order();
    double bestLength = path.Length();
    if (n < 4) // fewer than two inner terminals: nothing to exchange
        return best;

    TSearchRandom random(kSeed);
    std::vector<int32_t> current = best;
    double currentLength = bestLength;
    const double slack = kSlackSteps * bestLength / (n - 1);
    int64_t lastGain = 0;
    for (int64_t kick = 1; kick <= effort.MaxKicks && kick - lastGain <= effort.StallKicks;
         ++kick) {
        if ((kick & 0xFF) == 0) {
            control.ThrowIfCancelled();
            control.Report(TReferencePhase::Heuristic,
                           static_cast<double>(kick) / static_cast<double>(effort.MaxKicks),
                           bestLength);
            if (control.PastDeadline())
                break;
        }
        int32_t first, middle, end;
        ChooseKick(random, n, first, middle, end);
        path.ExchangeStretches(first, middle, end);
        path.Optimise();
        const double length = path.Length();
        if (length < bestLength * (1 - 1e-12)) {
            lastGain = kick;
            bestLength = length;
            best = path.Order();
        }
        if (length <= currentLength + slack) {
            currentLength = length;
            current = path.Order();
        } else {
            path.Restore(current);
        }
    }
    return best;
}

} // namespace reference
