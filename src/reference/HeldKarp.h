#pragma once
// The exact shortest order of the terminals for a path from terminal 0 to
// terminal n-1 through all others (Held-Karp dynamic programming over the
// subsets of the inner terminals).
//
// With m = n - 2 inner terminals the table holds 2^m x m doubles, and the
// work is about 2^m x m x m additions: for 20 cities with distinct ends
// (m = 18) 38 MB and some 85 million steps; for a round trip through 20
// cities (m = 19) 80 MB.

#include "reference/SearchControl.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace reference {

// Table size beyond which no exact order is attempted.
inline constexpr uint64_t kHeldKarpMemoryLimit = 192ull << 20;

// Bytes of the table for `inner` inner terminals (UINT64_MAX when beyond any limit).
uint64_t HeldKarpBytes(int32_t inner);

// distances: n x n row-major (entry [a][b] at a * n + b). Returns the order of
// all n terminals (0 first, n-1 last), or nothing when the table would exceed
// kHeldKarpMemoryLimit or cannot be allocated. Polls `control`; raises
// EReferenceCancelled.
std::optional<std::vector<int32_t>> HeldKarpOrder(const std::vector<double>& distances, int32_t n,
                                                  const TSearchControl& control);

} // namespace reference
