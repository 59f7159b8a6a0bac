#pragma once
// The reference heuristic for selections too large for the exact method: a
// farthest-insertion path, improved by the local search of PathLocalSearch.h,
// then an iterated local search: a kick exchanges two neighbouring stretches
// between three random cuts (a double bridge that keeps both ends and never
// reverses a stretch, so it suits one-way roads as well), the local search
// repairs the path, and the walk goes on from the result unless it is longer
// than the path before by more than a fifth of an average step. The best
// path seen is kept.
//
// The search is deterministic: its kicks come from a generator of its own
// with a fixed seed (the program's shared generator is never drawn), and it
// stops after a number of kicks that depends on the size alone, unless the
// deadline of `control` comes first.

#include "reference/SearchControl.h"

#include <cstdint>
#include <vector>

namespace reference {

struct THeuristicEffort {
    int64_t MaxKicks;   // kicks in all
    int64_t StallKicks; // kicks in a row without a shorter path that end the search
};

// The effort for n terminals.
THeuristicEffort DefaultEffort(int32_t n);

// distances: n x n row-major, n >= 2. Returns the order of all n terminals,
// 0 first and n-1 last. Raises EReferenceCancelled.
std::vector<int32_t> HeuristicOrder(const std::vector<double>& distances, int32_t n,
                                    const TSearchControl& control, const THeuristicEffort& effort);

// Farthest insertion with both ends fixed (part of HeuristicOrder; for tests).
std::vector<int32_t> FarthestInsertion(const std::vector<double>& distances, int32_t n);

} // namespace reference
