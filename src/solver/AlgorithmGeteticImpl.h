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

struct TTSPPopulation::Impl {
    TRouteIndex index;
    // The two working children of a generation, kept between generations so
    // their gene lists keep their capacity.
    TTSPChromosome child1;
    TTSPChromosome child2;
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

// Position drawn in a route of `length` genes: Rnd(length - 2) + 1, an interior
// position, or 1 (the last) for two genes. Callers make sure length >= 2.
inline int32_t DrawPosition(int32_t length) {
    return Rnd(length - 2) + 1;
}

// Counters stop at the largest value instead of wrapping round: a long run
// makes tens of crossovers per generation.
inline void SaturatingIncrement(int32_t& counter) {
    if (counter < INT32_MAX)
        ++counter;
}

} // namespace solver
