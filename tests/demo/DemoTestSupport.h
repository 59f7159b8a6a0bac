#pragma once
// Shared helpers of the demonstration tests: permutation checks and parents.

#include "core/RandomUnit.h"
#include "demo/TSPNewGenetic.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace demo_test {

inline bool IsPermutation(const demo::TTSPChromosome& c) {
    std::vector<int32_t> sorted = c.Genes();
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 0; i < sorted.size(); ++i)
        if (sorted[i] != static_cast<int32_t>(i))
            return false;
    return true;
}

inline demo::TTSPChromosome Identity(int32_t n) {
    std::vector<int32_t> genes(static_cast<size_t>(n));
    std::iota(genes.begin(), genes.end(), 0);
    return demo::TTSPChromosome(std::move(genes));
}

inline demo::TTSPChromosome Reversed(const demo::TTSPChromosome& c) {
    std::vector<int32_t> genes = c.Genes();
    std::reverse(genes.begin(), genes.end());
    return demo::TTSPChromosome(std::move(genes));
}

// Two positions drawn as a pair until they differ, as the operators do.
struct DrawnPair {
    int32_t first;
    int32_t second;
};
inline DrawnPair DrawPair(int32_t range, int32_t offset) {
    DrawnPair pair{};
    do {
        pair.first = Rnd(range) + offset;
        pair.second = Rnd(range) + offset;
    } while (pair.first == pair.second);
    return pair;
}

} // namespace demo_test
