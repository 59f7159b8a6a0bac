// The five crossover operators. Routes are lists of node IDs of differing
// lengths that must follow roads, so the operators join pieces of the parents
// at nodes both visit, exchange single nodes or turn genes round a ring; none
// repairs its children, which are checked afterwards.

#include "solver/AlgorithmGetetic.h"

#include "core/RandomUnit.h"
#include "core/TSPErrors.h"
#include "profiler/Profiler.h"
#include "solver/AlgorithmGeteticImpl.h"

#include <algorithm>

namespace solver {

namespace {

// Triangle redraws its two positions until they differ. Parents of at most
// three genes always draw position 1 twice, so the redraws are bounded; in
// every other case a pair of equal draws has odds of at most a half.
constexpr int kTriangleDraws = 100;

// Appends from[first .. last] (nothing when last < first).
void AppendRun(std::vector<int32_t>& to, const TIntegerArray& from, int32_t first, int32_t last) {
    if (last < first)
        return;
    const int32_t* data = from.data();
    to.insert(to.end(), data + first, data + last + 1);
}

// OP's cut: a position c of P1 and the first visit q of P1[c] in P2 (or -1).
// head1 gets the route that begins with P1's head, head2 the one that begins
// with P2's head; OP and SOP differ only in which child gets which.
void OnePointChildren(const TIntegerArray& p1, const TIntegerArray& p2, TIntegerArray& head1,
                      TIntegerArray& head2) {
    const int32_t l1 = p1.Count();
    const int32_t l2 = p2.Count();
    const int32_t c = DrawPosition(l1);
    const int32_t q = p2.IndexOf(p1[c]);
    // P1[0..c] + P2[q+1 .. L2-1]; with q = -1 the whole of P2 follows.
    std::vector<int32_t>& a = head1.Items();
    a.clear();
    AppendRun(a, p1, 0, c);
    AppendRun(a, p2, q + 1, l2 - 1);
    // P2[0..q] + P1[c+1 .. L1-1]; with q = -1 only the tail of P1.
    std::vector<int32_t>& b = head2.Items();
    b.clear();
    AppendRun(b, p2, 0, q);
    AppendRun(b, p1, c + 1, l1 - 1);
}

bool PartiallyMappedChildren(const TIntegerArray& p1, const TIntegerArray& p2,
                             TIntegerArray& child1, TIntegerArray& child2) {
    const int32_t l1 = p1.Count();
    const int32_t l2 = p2.Count();
    const int32_t c1 = DrawPosition(l1);
    const int32_t q1 = p2.IndexOf(p1[c1]);
    if (q1 < 0)
        return false;
    const int32_t c2 = DrawPosition(l1);
    const int32_t q2 = p2.IndexOf(p1[c2]);
    if (q2 < 0)
        return false;
    if (c1 >= c2 || q1 >= q2)
        return false;
    std::vector<int32_t>& a = child1.Items();
    a.clear();
    AppendRun(a, p1, 0, c1);
    AppendRun(a, p2, q1 + 1, q2);
    AppendRun(a, p1, c2 + 1, l1 - 1);
    std::vector<int32_t>& b = child2.Items();
    b.clear();
    AppendRun(b, p2, 0, q1);
    AppendRun(b, p1, c1 + 1, c2);
    AppendRun(b, p2, q2 + 1, l2 - 1);
    return true;
}

bool TriangleChildren(const TIntegerArray& p1, const TIntegerArray& p2, TIntegerArray& child1,
                      TIntegerArray& child2) {
    const int32_t l1 = p1.Count();
    const int32_t l2 = p2.Count();
    int32_t s = 0;
    int32_t t = 0;
    int draws = 0;
    do {
        if (draws++ == kTriangleDraws)
            return false;
        s = DrawPosition(l1);
        t = DrawPosition(l2);
    } while (s == t);
    child1 = p1;
    child2 = p2;
    child1[s] = p2[t];
    child2[t] = p1[s];
    return true;
}

void CycleChildren(const TIntegerArray& p1, const TIntegerArray& p2, TIntegerArray& child1,
                   TIntegerArray& child2, std::vector<int32_t>& ring) {
    const int32_t l1 = p1.Count();
    const int32_t l2 = p2.Count();
    const int32_t a1 = DrawPosition(l1);
    const int32_t b1 = DrawPosition(l1);
    const int32_t lo1 = std::min(a1, b1);
    const int32_t hi1 = std::max(a1, b1);
    const int32_t a2 = DrawPosition(l2);
    const int32_t b2 = DrawPosition(l2);
    const int32_t lo2 = std::min(a2, b2);
    const int32_t hi2 = std::max(a2, b2);
    child1 = p1;
    child2 = p2;
    const int32_t n = Rnd((hi1 - lo1) + (hi2 - lo2));

    // Each of the n + 1 rounds moves the gene at lo1 of child 1 to lo2 of
    // child 2, shifts child 2's stretch one place right, moves the gene at hi2
    // of child 2 to hi1 of child 1 and shifts child 1's stretch one place left.
    // Read as one ring (child 1 from lo1 to hi1, then child 2 from hi2 down to
    // lo2) every round turns the ring one place, so the rounds together are one
    // rotation by n + 1.
    const int32_t length1 = hi1 - lo1 + 1;
    const int32_t length2 = hi2 - lo2 + 1;
    const int32_t size = length1 + length2;
    ring.clear();
    for (int32_t k = lo1; k <= hi1; ++k)
        ring.push_back(child1[k]);
    for (int32_t k = hi2; k >= lo2; --k)
        ring.push_back(child2[k]);
    std::rotate(ring.begin(), ring.begin() + (n + 1) % size, ring.end());
    for (int32_t i = 0; i < length1; ++i)
        child1[lo1 + i] = ring[static_cast<size_t>(i)];
    for (int32_t j = 0; j < length2; ++j)
        child2[hi2 - j] = ring[static_cast<size_t>(length1 + j)];
}

} // namespace

void TTSPPopulation::Crossover(int32_t p1, int32_t p2, TTSPChromosome& child1,
                               TTSPChromosome& child2, bool& valid1, bool& valid2) {
    TRASOLAN_PROFILE("_TTSPPopulation.Crossover");
    CheckChromosomeIndex(p1, "_TTSPPopulation.Crossover");
    CheckChromosomeIndex(p2, "_TTSPPopulation.Crossover");
    valid1 = false;
    valid2 = false;
    impl_->index.Refresh(map_);
    const TIntegerArray& parent1 = chromosomes_[static_cast<size_t>(p1)]->Genes;
    const TIntegerArray& parent2 = chromosomes_[static_cast<size_t>(p2)]->Genes;

    // A route of fewer than two genes (possible only when the first and the
    // last selected city are one node) has no position to draw: no children.
    bool made = false;
    if (parent1.Count() >= 2 && parent2.Count() >= 2) {
        switch (crossoverKind_) {
        case ckOP:
            OnePointChildren(parent1, parent2, child1.Genes, child2.Genes);
            made = true;
            break;
        case ckPMX:
            made = PartiallyMappedChildren(parent1, parent2, child1.Genes, child2.Genes);
            break;
        case ckTriangle:
            made = TriangleChildren(parent1, parent2, child1.Genes, child2.Genes);
            break;
        case ckSOP:
            // The OP cut with the children in the other order.
            OnePointChildren(parent1, parent2, child2.Genes, child1.Genes);
            made = true;
            break;
        case ckCUBX:
            CycleChildren(parent1, parent2, child1.Genes, child2.Genes, impl_->ring);
            made = true;
            break;
        default: // no such operator; CheckSettings refuses it before a run
            break;
        }
    }
    if (made) {
        valid1 = impl_->index.IsValidChild(child1.Genes);
        valid2 = impl_->index.IsValidChild(child2.Genes);
    }
    if (adaptiveChoice_) {
        child1.Origin = crossoverKind_;
        child2.Origin = crossoverKind_;
    }
}

} // namespace solver
