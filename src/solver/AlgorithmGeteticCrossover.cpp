// The five crossover operators. Routes are lists of node IDs of differing
// lengths that must follow roads, so the operators join pieces of the parents
// at nodes both visit, exchange single nodes or turn genes round a ring; none
// repairs its children, which are checked afterwards.

#include "solver/AlgorithmGetetic.h"

#include "core/RandomUnit.h"
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

// What an operator made of the two working children.
enum class TMade {
    Nothing, // no children
    Built,   // both gene lists rebuilt
    // The pieces exchanged were equal, so the children are copies of their
    // parents (child 1 of P1, child 2 of P2); they were left unbuilt.
    Copies,
};

// Whether from[a .. a + n - 1] equals other[b .. b + n - 1].
bool SameRun(const TIntegerArray& from, int32_t a, const TIntegerArray& other, int32_t b,
             int32_t n) {
    return std::equal(from.data() + a, from.data() + a + n, other.data() + b);
}

// OP's cut: a position c of P1 and the first visit q of P1[c] in P2 (or -1).
// head1 gets the route that begins with P1's head, head2 the one that begins
// with P2's head; OP and SOP differ only in which child gets which. `joined`:
// the cut is at a node both parents visit (q found).
TMade OnePointChildren(TRandom& random, const TIntegerArray& p1, const TIntegerArray& p2,
                       TIntegerArray& head1, TIntegerArray& head2, bool mayCopy, bool& joined) {
    const int32_t l1 = p1.Count();
    const int32_t l2 = p2.Count();
    const int32_t c = DrawPosition(random, l1);
    const int32_t q = p2.IndexOf(p1[c]);
    joined = q >= 0;
    // Equal tails after the cut give each child its own parent back.
    if (mayCopy && joined && l1 - c == l2 - q && SameRun(p1, c + 1, p2, q + 1, l1 - c - 1))
        return TMade::Copies;
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
    return TMade::Built;
}

TMade PartiallyMappedChildren(TRandom& random, const TIntegerArray& p1, const TIntegerArray& p2,
                              TIntegerArray& child1, TIntegerArray& child2, bool mayCopy) {
    const int32_t l1 = p1.Count();
    const int32_t l2 = p2.Count();
    const int32_t c1 = DrawPosition(random, l1);
    const int32_t q1 = p2.IndexOf(p1[c1]);
    if (q1 < 0)
        return TMade::Nothing;
    const int32_t c2 = DrawPosition(random, l1);
    const int32_t q2 = p2.IndexOf(p1[c2]);
    if (q2 < 0)
        return TMade::Nothing;
    if (c1 >= c2 || q1 >= q2)
        return TMade::Nothing;
    // Equal middle pieces give each child its own parent back.
    if (mayCopy && c2 - c1 == q2 - q1 && SameRun(p1, c1 + 1, p2, q1 + 1, c2 - c1))
        return TMade::Copies;
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
    return TMade::Built;
}

TMade TriangleChildren(TRandom& random, const TIntegerArray& p1, const TIntegerArray& p2,
                       TIntegerArray& child1, TIntegerArray& child2, bool mayCopy) {
    const int32_t l1 = p1.Count();
    const int32_t l2 = p2.Count();
    int32_t s = 0;
    int32_t t = 0;
    int draws = 0;
    do {
        if (draws++ == kTriangleDraws)
            return TMade::Nothing;
        s = DrawPosition(random, l1);
        t = DrawPosition(random, l2);
    } while (s == t);
    // Exchanging equal nodes gives each child its own parent back.
    if (mayCopy && p1[s] == p2[t])
        return TMade::Copies;
    child1 = p1;
    child2 = p2;
    child1[s] = p2[t];
    child2[t] = p1[s];
    return TMade::Built;
}

TMade CycleChildren(TRandom& random, const TIntegerArray& p1, const TIntegerArray& p2,
                    TIntegerArray& child1, TIntegerArray& child2, std::vector<int32_t>& ring) {
    const int32_t l1 = p1.Count();
    const int32_t l2 = p2.Count();
    const int32_t a1 = DrawPosition(random, l1);
    const int32_t b1 = DrawPosition(random, l1);
    const int32_t lo1 = std::min(a1, b1);
    const int32_t hi1 = std::max(a1, b1);
    const int32_t a2 = DrawPosition(random, l2);
    const int32_t b2 = DrawPosition(random, l2);
    const int32_t lo2 = std::min(a2, b2);
    const int32_t hi2 = std::max(a2, b2);
    child1 = p1;
    child2 = p2;
    const int32_t n = random.Rnd((hi1 - lo1) + (hi2 - lo2));

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
    return TMade::Built;
}

} // namespace

void TTSPPopulation::Crossover(int32_t p1, int32_t p2, TTSPChromosome& child1,
                               TTSPChromosome& child2, bool& valid1, bool& valid2) {
    CheckChromosomeIndex(p1, "_TTSPPopulation.Crossover");
    CheckChromosomeIndex(p2, "_TTSPPopulation.Crossover");
    impl_->index.Refresh(map_);
    impl_->indexCurrent = true;
    CrossoverChildren(p1, p2, child1, child2, valid1, valid2, false);
}

void TTSPPopulation::CrossoverChildren(int32_t p1, int32_t p2, TTSPChromosome& child1,
                                       TTSPChromosome& child2, bool& valid1, bool& valid2,
                                       bool mayCopy) {
    TRASOLAN_PROFILE("_TTSPPopulation.Crossover");
    valid1 = false;
    valid2 = false;
    const TIntegerArray& parent1 = chromosomes_[static_cast<size_t>(p1)]->Genes;
    const TIntegerArray& parent2 = chromosomes_[static_cast<size_t>(p2)]->Genes;
    TRandom& random = *random_;
    // Copies are left unbuilt only where the length of a copy may be taken
    // from its parent (CheckCrossoverChild).
    mayCopy = mayCopy && map_.IdsArePositions() && map_.Count() <= map_.MatrixSize();

    // A route of fewer than two genes (possible only when the first and the
    // last selected city are one node) has no position to draw: no children.
    TMade made = TMade::Nothing;
    // The children are pieces of the parents joined where both visit the
    // same node, so every step of theirs is a step of a parent.
    bool joined = false;
    // SOP is the OP cut with the children in the other order.
    bool swapped = false;
    if (parent1.Count() >= 2 && parent2.Count() >= 2) {
        switch (crossoverKind_) {
        case ckOP:
            made = OnePointChildren(random, parent1, parent2, child1.Genes, child2.Genes, mayCopy,
                                    joined);
            break;
        case ckPMX:
            made = PartiallyMappedChildren(random, parent1, parent2, child1.Genes, child2.Genes,
                                           mayCopy);
            joined = made != TMade::Nothing;
            break;
        case ckTriangle:
            made = TriangleChildren(random, parent1, parent2, child1.Genes, child2.Genes, mayCopy);
            break;
        case ckSOP:
            made = OnePointChildren(random, parent1, parent2, child2.Genes, child1.Genes, mayCopy,
                                    joined);
            swapped = true;
            break;
        case ckCUBX:
            made = CycleChildren(random, parent1, parent2, child1.Genes, child2.Genes, impl_->ring);
            break;
        default: // no such operator; CheckSettings refuses it before a run
            break;
        }
    }
    if (made == TMade::Copies) {
        CopyCheck(swapped ? p2 : p1, impl_->check1);
        CopyCheck(swapped ? p1 : p2, impl_->check2);
    } else if (made == TMade::Built) {
        // Children joined at shared nodes follow roads from the first selected
        // city to the last whenever both parents do: only their selected
        // cities need a look.
        const bool stepsValid = joined && ParentValid(p1) && ParentValid(p2);
        CheckCrossoverChild(child1.Genes, p1, p2, stepsValid, impl_->check1);
        CheckCrossoverChild(child2.Genes, p2, p1, stepsValid, impl_->check2);
    }
    if (made != TMade::Nothing) {
        valid1 = impl_->check1.valid;
        valid2 = impl_->check2.valid;
    }
    if (adaptiveChoice_) {
        child1.Origin = crossoverKind_;
        child2.Origin = crossoverKind_;
    }
}

} // namespace solver
