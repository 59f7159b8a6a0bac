// The mutation operators: TwoRandom, Inverse, Reduced, a random one of these
// three, or none. A mutation is kept only when the changed route is valid.

#include "solver/AlgorithmGetetic.h"

#include "core/RandomUnit.h"
#include "profiler/Profiler.h"
#include "solver/AlgorithmGeteticImpl.h"

#include <algorithm>

namespace solver {

namespace {

// Inverse looks this many times for two visits of one node.
constexpr int kInverseTries = 4;

bool TwoRandom(TRandom& random, const TIntegerArray& genes, TIntegerArray& candidate) {
    candidate = genes;
    const int32_t s = DrawPosition(random, genes.Count());
    const int32_t t = DrawPosition(random, genes.Count()); // independent, may equal s
    std::swap(candidate[s], candidate[t]);
    return true;
}

bool Inverse(TRandom& random, const TIntegerArray& genes, TIntegerArray& candidate) {
    candidate = genes;
    for (int tries = 0; tries < kInverseTries; ++tries) {
        const int32_t s = DrawPosition(random, genes.Count());
        const int32_t t = DrawPosition(random, genes.Count());
        if (s != t && candidate[s] == candidate[t]) {
            // The node is visited at both ends: turning the stretch between
            // them round reverses that loop.
            const int32_t lo = std::min(s, t);
            const int32_t hi = std::max(s, t);
            std::reverse(candidate.Items().begin() + lo, candidate.Items().begin() + hi + 1);
            return true;
        }
    }
    return false;
}

bool Reduced(TRandom& random, const TIntegerArray& genes, TIntegerArray& candidate,
             const TRouteIndex& index) {
    const int32_t s = DrawPosition(random, genes.Count());
    const int32_t t = DrawPosition(random, genes.Count());
    if (s == t || !index.HasRoad(genes[s], genes[t]))
        return false;
    // A road joins the two nodes directly: the stretch between them goes.
    const int32_t lo = std::min(s, t);
    const int32_t hi = std::max(s, t);
    std::vector<int32_t>& out = candidate.Items();
    out.clear();
    const int32_t* data = genes.data();
    out.insert(out.end(), data, data + lo + 1);
    out.insert(out.end(), data + hi, data + genes.Count());
    return true;
}

} // namespace

bool TTSPPopulation::Mutate(TTSPChromosome& chromosome) {
    impl_->index.Refresh(map_);
    impl_->indexCurrent = true;
    return MutateChild(chromosome, chromosome.Genes);
}

bool TTSPPopulation::MutateChild(TTSPChromosome& chromosome, const TIntegerArray& genes) {
    TRASOLAN_PROFILE("_TTSPPopulation.Mutate");
    EnsureIndex();
    TIntegerArray& candidate = impl_->mutationScratch;
    candidate.Clear();
    TRandom& random = *random_;

    uint8_t kind = mutationKind_;
    if (kind == mkRandom)
        kind = static_cast<uint8_t>(random.Rnd(3));
    // A route of fewer than two genes has no position to draw.
    bool changed = false;
    if (genes.Count() >= 2) {
        switch (kind) {
        case mkTwoRandom:
            changed = TwoRandom(random, genes, candidate);
            break;
        case mkInverse:
            changed = Inverse(random, genes, candidate);
            break;
        case mkReduced:
            changed = Reduced(random, genes, candidate, impl_->index);
            break;
        default: // mkNone (and codes CheckSettings refuses before a run)
            break;
        }
    }
    if (!changed)
        return false;
    CheckChild(candidate, impl_->mutationCheck);
    if (!impl_->mutationCheck.valid)
        return false;
    // The candidate becomes the genes; the old list stays behind as the next
    // mutation's scratch list.
    std::swap(chromosome.Genes.Items(), candidate.Items());
    SaturatingIncrement(mutationCounter_);
    return true;
}

} // namespace solver
