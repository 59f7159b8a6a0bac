#pragma once
// Private parts of TTSPPopulation shared by its source files: the working
// buffers a generation reuses instead of allocating per child, the road index
// and the route length on the flat distance table.

#include "core/RandomUnit.h"
#include "solver/AlgorithmGetetic.h"
#include "solver/RouteIndex.h"

#include <cstdint>
#include <vector>

namespace solver {

// What the check of a working child found out.
struct TChildCheck {
    bool valid = false;
    // `length` is the child's RouteLength to the last bit: the child is a
    // copy of a chromosome of the population.
    bool exact = false;
    // `length` is the child's ApproximateLength.
    bool measured = false;
    double length = 0;
    // The road index the validity was found with (TRouteIndex::Epoch).
    uint32_t indexEpoch = 0;
    // The chromosome the child copies, its own gene list left unbuilt; -1
    // when the child's genes are its own.
    int32_t copyOf = -1;
};

struct TTSPPopulation::Impl {
    TRouteIndex index;
    // The index was refreshed since the map could last have changed.
    bool indexCurrent = false;
    // The two working children of a generation, kept between generations so
    // their gene lists keep their capacity.
    TTSPChromosome child1;
    TTSPChromosome child2;
    // The checks of the working children and of a mutated child.
    TChildCheck check1;
    TChildCheck check2;
    TChildCheck mutationCheck;
    // For each chromosome, the road index under which its genes were found
    // valid (0: not known). A child that copies a chromosome checked under the
    // current index is valid without a second look.
    std::vector<uint32_t> checkedEpoch;
    // The candidate route of a mutation.
    TIntegerArray mutationScratch;
    // The ring of genes that CUBX turns.
    std::vector<int32_t> ring;
    // Running sums of the fitness values for the roulette wheel, kept while
    // no fitness in the population changes (most pairs insert no child).
    std::vector<double> runningSums;
    bool runningSumsCurrent = false;
};

// Sum of the distances between consecutive genes, read from the map's distance
// table. A gene the table does not cover (a node added or removed since the
// table was built) goes to GetPath, which raises its ETSPError.
double RouteLength(const TTSPMap& map, const TIntegerArray& genes);

// The same sum in four interleaved parts, so that no addition waits for the
// one before: not RouteLength's value to the last bit, but close enough for
// CertainlyNotShorter. False (nothing measured) when a gene lies outside the
// table, where RouteLength raises.
bool ApproximateLength(const TTSPMap& map, const TIntegerArray& genes, double& approx);

// True when a route of `count` genes whose ApproximateLength is `approx` has a
// RouteLength of at least `bound`. Every distance is non-negative, and both
// sums of m terms lie within m * 2^-53 of the exact sum (relative), so the
// route length is at least approx * (1 - (4m + 8) * 2^-53), rounding of that
// product included.
inline bool CertainlyNotShorter(double approx, int32_t count, double bound) {
    const double slack = (4.0 * count + 8.0) * 0x1p-53;
    return approx * (1.0 - slack) >= bound;
}
// Position drawn in a route of `length` genes: Rnd(length - 2) + 1, an interior
// position, or 1 (the last) for two genes. Callers make sure length >= 2.
inline int32_t DrawPosition(TRandom& random, int32_t length) {
    return random.Rnd(length - 2) + 1;
}

// Counters stop at the largest value instead of wrapping round: a long run
// makes tens of crossovers per generation.
inline void SaturatingIncrement(int32_t& counter) {
    if (counter < INT32_MAX)
        ++counter;
}

} // namespace solver
