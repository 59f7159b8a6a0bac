// Held-Karp with both ends fixed: best[S][k] is the length of the shortest
// path that starts at terminal 0, visits exactly the inner terminals of the
// set S and ends at inner terminal k (a member of S).

#include "reference/HeldKarp.h"

#include <bit>
#include <limits>
#include <new>

namespace reference {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The inner terminal k is terminal k + 1; step[k * m + i] is the distance from
// inner terminal i to inner terminal k, so the innermost loop reads it in order.
std::vector<double> InnerSteps(const std::vector<double>& d, int32_t n, int32_t m) {
    std::vector<double> step(static_cast<size_t>(m) * static_cast<size_t>(m));
    for (int32_t k = 0; k < m; ++k)
        for (int32_t i = 0; i < m; ++i)
            step[static_cast<size_t>(k * m + i)] = d[static_cast<size_t>((i + 1) * n + (k + 1))];
    return step;
}

// Fills the table. Entries of members k not in S stay infinite, so that the
// minimum may run over every i without testing membership.
void FillTable(std::vector<double>& best, const std::vector<double>& d, int32_t n, int32_t m,
               const TSearchControl& control) {
    const std::vector<double> step = InnerSteps(d, n, m);
    const size_t width = static_cast<size_t>(m);
    for (int32_t k = 0; k < m; ++k)
        best[(size_t{1} << k) * width + static_cast<size_t>(k)] = d[static_cast<size_t>(k + 1)];
    const uint32_t full = (uint32_t{1} << m) - 1;
    for (uint32_t set = 1; set <= full; ++set) {
        if ((set & 0xFFFu) == 0) {
            control.ThrowIfCancelled();
            if ((set & 0x3FFFFu) == 0)
                control.Report(TReferencePhase::Exact, static_cast<double>(set) / full);
        }
        if (std::has_single_bit(set))
            continue;
        for (uint32_t rest = set; rest != 0; rest &= rest - 1) {
            const int32_t k = std::countr_zero(rest);
            const double* before = &best[(set ^ (uint32_t{1} << k)) * width];
            const double* into = &step[static_cast<size_t>(k) * width];
            double shortest = kInfinity;
            for (size_t i = 0; i < width; ++i) {
                const double through = before[i] + into[i];
                shortest = through < shortest ? through : shortest;
            }
            best[set * width + static_cast<size_t>(k)] = shortest;
        }
    }
}

// Walks back from the best last inner terminal, each time finding the
// predecessor whose sum reproduces the entry exactly (the same addition).
std::vector<int32_t> ReadOrder(const std::vector<double>& best, const std::vector<double>& d,
                               int32_t n, int32_t m) {
    const size_t width = static_cast<size_t>(m);
    const uint32_t full = (uint32_t{1} << m) - 1;
    int32_t last = 0;
    double shortest = kInfinity;
    for (int32_t k = 0; k < m; ++k) {
        const double total = best[full * width + static_cast<size_t>(k)] +
                             d[static_cast<size_t>((k + 1) * n + (n - 1))];
        if (total < shortest) {
            shortest = total;
            last = k;
        }
    }
    std::vector<int32_t> order(static_cast<size_t>(n));
    order[0] = 0;
    order[static_cast<size_t>(n - 1)] = n - 1;
    uint32_t set = full;
    for (int32_t place = m; place >= 1; --place) {
        order[static_cast<size_t>(place)] = last + 1;
        const double here = best[set * width + static_cast<size_t>(last)];
        set ^= uint32_t{1} << last;
        if (set == 0)
            break;
        for (uint32_t rest = set; rest != 0; rest &= rest - 1) {
            const int32_t i = std::countr_zero(rest);
            if (best[set * width + static_cast<size_t>(i)] +
                    d[static_cast<size_t>((i + 1) * n + (last + 1))] ==
                here) {
                last = i;
                break;
            }
        }
    }
    return order;
}

} // namespace

uint64_t HeldKarpBytes(int32_t inner) {
    if (inner < 0 || inner > 40)
        return std::numeric_limits<uint64_t>::max();
    return (uint64_t{1} << inner) * static_cast<uint64_t>(inner) * sizeof(double);
}

std::optional<std::vector<int32_t>> HeldKarpOrder(const std::vector<double>& distances, int32_t n,
                                                  const TSearchControl& control) {
    if (n <= 2) {
        std::vector<int32_t> order;
        for (int32_t t = 0; t < n; ++t)
            order.push_back(t);
        return order;
    }
    const int32_t m = n - 2;
    if (HeldKarpBytes(m) > kHeldKarpMemoryLimit)
        return std::nullopt;
    std::vector<double> best;
    try {
        best.assign(static_cast<size_t>(HeldKarpBytes(m) / sizeof(double)), kInfinity);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    FillTable(best, distances, n, m, control);
    return ReadOrder(best, distances, n, m);
}

} // namespace reference
