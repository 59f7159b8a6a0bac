#include "demo/TSPNewGenetic.h"

#include "core/RandomUnit.h"
#include "core/TSPErrors.h"

#include <algorithm>
#include <utility>

namespace demo {

namespace {

using Genes = std::vector<int32_t>;

// "C has v": v occurs anywhere in the genes. Callers never search for a gap.
bool Has(const Genes& genes, int32_t value) {
    return std::find(genes.begin(), genes.end(), value) != genes.end();
}

// Every gap from position 0 upwards gets Rnd(N), redrawn while taken. The
// loop always ends, whatever the other genes hold: a gap occupies one of the
// N positions, so at most N-1 values are present and some value of 0..N-1 is
// always free. Input that is not a partial permutation thus yields a
// chromosome that is not a permutation, but never a hang.
void FillGapsOf(Genes& genes) {
    const int32_t n = static_cast<int32_t>(genes.size());
    for (int32_t i = 0; i < n; ++i) {
        if (genes[i] != kGap)
            continue;
        int32_t value;
        do {
            value = Rnd(n);
        } while (Has(genes, value));
        genes[i] = value;
    }
}

// Two different positions in 1..N-2, drawn as a pair until they differ.
std::pair<int32_t, int32_t> DrawInnerCuts(int32_t n) {
    int32_t r1;
    int32_t r2;
    do {
        r1 = Rnd(n - 2) + 1;
        r2 = Rnd(n - 2) + 1;
    } while (r1 == r2);
    return {std::min(r1, r2), std::max(r1, r2)};
}

// Two different positions in 0..N-1, drawn as a pair until they differ;
// returned in drawing order (the inverse mutation's midpoint needs it).
std::pair<int32_t, int32_t> DrawTwoPositions(int32_t n) {
    int32_t a;
    int32_t b;
    do {
        a = Rnd(n);
        b = Rnd(n);
    } while (a == b);
    return {a, b};
}

void CheckOperatorLength(int32_t n) {
    if (n < kMinOperatorGenes)
        throw ETSPError(kTooFewGenesMessage);
}

// Stores value at position i of the child unless the child already has it.
void PlaceIfFree(Genes& child, int32_t i, int32_t value) {
    if (!Has(child, value))
        child[i] = value;
}

// Tries first, then second; stores the first one the child does not have.
void PlaceFirstFree(Genes& child, int32_t i, int32_t first, int32_t second) {
    if (!Has(child, first))
        child[i] = first;
    else if (!Has(child, second))
        child[i] = second;
}

// "OP": the middle segment a..b is kept, the outside is taken from the other
// parent where possible.
void CrossoverOP(const Genes& p1, const Genes& p2, Genes& c1, Genes& c2) {
    const int32_t n = static_cast<int32_t>(p1.size());
    const auto [a, b] = DrawInnerCuts(n);
    for (int32_t i = 0; i < n; ++i) {
        const bool middle = a <= i && i <= b;
        c1[i] = middle ? p1[i] : kGap;
        c2[i] = middle ? p2[i] : kGap;
    }
    auto takeOutside = [&](int32_t i) {
        PlaceIfFree(c1, i, p2[i]);
        PlaceIfFree(c2, i, p1[i]);
    };
    for (int32_t i = 0; i < a; ++i)
        takeOutside(i);
    for (int32_t i = b + 1; i < n; ++i)
        takeOutside(i);
}

// "PMX": where the parents agree the gene is kept; elsewhere a coin decides
// which parent's gene each child tries first. Agreeing parents draw nothing.
void CrossoverPMX(const Genes& p1, const Genes& p2, Genes& c1, Genes& c2) {
    const int32_t n = static_cast<int32_t>(p1.size());
    for (int32_t i = 0; i < n; ++i) {
        const int32_t common = p1[i] == p2[i] ? p1[i] : kGap;
        c1[i] = common;
        c2[i] = common;
    }
    for (int32_t i = 0; i < n; ++i) {
        if (c1[i] == kGap) {
            if (Rnd(2) == 0)
                PlaceFirstFree(c1, i, p1[i], p2[i]);
            else
                PlaceFirstFree(c1, i, p2[i], p1[i]);
        }
        if (c2[i] == kGap) {
            if (Rnd(2) == 1)
                PlaceFirstFree(c2, i, p1[i], p2[i]);
            else
                PlaceFirstFree(c2, i, p2[i], p1[i]);
        }
    }
}

// The first j with child[j] == parent[i] maps position i to parent[j]; the
// mapping is followed one step only.
void MapOneStep(const Genes& parent, Genes& child, int32_t i) {
    const auto found = std::find(child.begin(), child.end(), parent[i]);
    if (found == child.end())
        return;
    const size_t j = static_cast<size_t>(found - child.begin());
    PlaceIfFree(child, i, parent[j]);
}

// "Triangle": the parents' segments a..b are exchanged, the rest is kept
// where free, and remaining gaps are mapped one step through the segment.
void CrossoverTriangle(const Genes& p1, const Genes& p2, Genes& c1, Genes& c2) {
    const int32_t n = static_cast<int32_t>(p1.size());
    std::fill(c1.begin(), c1.end(), kGap);
    std::fill(c2.begin(), c2.end(), kGap);
    const auto [first, second] = DrawTwoPositions(n);
    const int32_t a = std::min(first, second);
    const int32_t b = std::max(first, second);
    for (int32_t i = a; i <= b; ++i) {
        c1[i] = p2[i];
        c2[i] = p1[i];
    }
    for (int32_t i = 0; i < n; ++i) {
        if (c1[i] == kGap)
            PlaceIfFree(c1, i, p1[i]);
        if (c2[i] == kGap)
            PlaceIfFree(c2, i, p2[i]);
    }
    for (int32_t i = 0; i < n; ++i) {
        if (c1[i] == kGap)
            MapOneStep(p1, c1, i);
        if (c2[i] == kGap)
            MapOneStep(p2, c2, i);
    }
}

// "SOP": a random mask picks P1's gene (1) or P2's (0) per position; C1
// gives priority to P1's genes, C2 to P2's.
void CrossoverSOP(const Genes& p1, const Genes& p2, Genes& c1, Genes& c2) {
    const int32_t n = static_cast<int32_t>(p1.size());
    std::vector<uint8_t> mask(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        mask[i] = static_cast<uint8_t>(Rnd(2));
        c1[i] = mask[i] == 1 ? p1[i] : kGap;
        c2[i] = mask[i] == 1 ? kGap : p2[i];
    }
    for (int32_t i = 0; i < n; ++i) {
        if (mask[i] == 1)
            PlaceIfFree(c2, i, p1[i]);
        if (mask[i] == 0)
            PlaceIfFree(c1, i, p2[i]);
    }
}

// "CUBX": one cut c and a side; the kept side comes from the own parent, the
// other side (the cut itself included) from the other parent where free.
void CrossoverCUBX(const Genes& p1, const Genes& p2, Genes& c1, Genes& c2) {
    const int32_t n = static_cast<int32_t>(p1.size());
    const int32_t c = Rnd(n);
    const int32_t side = Rnd(2);
    for (int32_t i = 0; i < n; ++i) {
        const bool kept = (side == 0 && i <= c) || (side == 1 && i >= c);
        c1[i] = kept ? p1[i] : kGap;
        c2[i] = kept ? p2[i] : kGap;
    }
    const int32_t from = side == 0 ? c : 0;
    const int32_t to = side == 0 ? n - 1 : c;
    for (int32_t i = from; i <= to; ++i) {
        PlaceIfFree(c1, i, p2[i]);
        PlaceIfFree(c2, i, p1[i]);
    }
}

// "Reduced": the first gene walks forward by adjacent swaps; at i = N-1 the
// swap wraps round to exchange the two end genes.
void MutateReduced(Genes& m) {
    const int32_t n = static_cast<int32_t>(m.size());
    const int32_t r = Rnd(n - 1) + 1;
    for (int32_t i = 0; i <= r; ++i) {
        if (i == n - 1)
            std::swap(m[0], m[n - 1]);
        else
            std::swap(m[i], m[i + 1]);
    }
}

// "Случайно": tail, then the middle block lo..hi, then head.
void MutateRotateBlocks(Genes& m) {
    const int32_t n = static_cast<int32_t>(m.size());
    const auto [lo, hi] = DrawInnerCuts(n);
    Genes reordered;
    reordered.reserve(m.size());
    reordered.insert(reordered.end(), m.begin() + hi + 1, m.end());
    reordered.insert(reordered.end(), m.begin() + lo, m.begin() + hi + 1);
    reordered.insert(reordered.end(), m.begin(), m.begin() + lo);
    m = std::move(reordered);
}

// "Не использовать": M[N-1] down to M[x+1], then M[x] down to M[0] - the
// whole chromosome reversed, whatever x is; x is still drawn.
void MutateReverseAll(Genes& m) {
    const int32_t n = static_cast<int32_t>(m.size());
    const int32_t x = Rnd(n - 1);
    Genes reordered;
    reordered.reserve(m.size());
    for (int32_t i = n - 1; i > x; --i)
        reordered.push_back(m[i]);
    for (int32_t i = x; i >= 0; --i)
        reordered.push_back(m[i]);
    m = std::move(reordered);
}

} // namespace

void TTSPChromosome::SetCount(int32_t n) {
    genes_.resize(static_cast<size_t>(std::max(n, 0)), 0);
}

int32_t TTSPChromosome::GetElement(int32_t index) const {
    if (index < 0 || index >= Count())
        throw ETSPError(IndexErrorMessage("TTSPChromosome.GetElement", index, 0, Count()));
    return genes_[static_cast<size_t>(index)];
}

void TTSPChromosome::SetElement(int32_t index, int32_t value) {
    if (index < 0 || index >= Count())
        throw ETSPError(IndexErrorMessage("TTSPChromosome.SetElement", index, 0, Count()));
    genes_[static_cast<size_t>(index)] = value;
}

bool TTSPChromosome::Exists(int32_t value) const {
    return Has(genes_, value);
}

void TTSPChromosome::FillGaps() {
    FillGapsOf(genes_);
}

std::string TTSPChromosome::ToText() const {
    std::string text;
    for (const int32_t gene : genes_) {
        text += gene == kGap ? std::string("x") : std::to_string(gene);
        text += '-';
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

void MakeRandomPermutation(TTSPChromosome& chromosome, int32_t n) {
    Genes genes(static_cast<size_t>(std::max(n, 0)));
    for (int32_t i = 0; i < n; ++i)
        genes[i] = i;
    for (int32_t i = n - 1; i >= 1; --i)
        std::swap(genes[i], genes[Rnd(i + 1)]);
    chromosome = TTSPChromosome(std::move(genes));
}

void DemoCrossover(uint8_t kind, const TTSPChromosome& p1, const TTSPChromosome& p2,
                   TTSPChromosome& c1, TTSPChromosome& c2) {
    if (p1.Count() != p2.Count())
        throw ETSPError(kParentLengthMismatchMessage);
    CheckOperatorLength(p1.Count());
    if (kind > 4)
        return;

    // Work on copies: a child may be the very object of a parent.
    const Genes parent1 = p1.Genes();
    const Genes parent2 = p2.Genes();
    Genes child1(parent1.size(), kGap);
    Genes child2(parent2.size(), kGap);
    switch (kind) {
    case 0:
        CrossoverOP(parent1, parent2, child1, child2);
        break;
    case 1:
        CrossoverPMX(parent1, parent2, child1, child2);
        break;
    case 2:
        CrossoverTriangle(parent1, parent2, child1, child2);
        break;
    case 3:
        CrossoverSOP(parent1, parent2, child1, child2);
        break;
    default:
        CrossoverCUBX(parent1, parent2, child1, child2);
        break;
    }
    FillGapsOf(child1);
    FillGapsOf(child2);
    c1 = TTSPChromosome(std::move(child1));
    c2 = TTSPChromosome(std::move(child2));
}

void DemoMutation(uint8_t kind, TTSPChromosome& m) {
    const int32_t n = m.Count();
    CheckOperatorLength(n);

    Genes genes = m.Genes();
    const auto [a, b] = DrawTwoPositions(n);
    switch (kind) {
    case 0:
        std::swap(genes[a], genes[b]);
        break;
    case 1: {
        const int32_t lo = std::min(a, b);
        const int32_t hi = std::max(a, b);
        const int32_t mid = (a + b) / 2;
        for (int32_t i = lo; i <= mid; ++i)
            std::swap(genes[i], genes[lo + hi - i]);
        break;
    }
    case 2:
        MutateReduced(genes);
        break;
    case 3:
        MutateRotateBlocks(genes);
        break;
    case 4:
        MutateReverseAll(genes);
        break;
    default:
        break;
    }

    // Each end gene is exchanged with a random inner gene in 5 cases of 100.
    if (Rnd(100) < 5) {
        const int32_t j = Rnd(n - 2) + 1;
        std::swap(genes[0], genes[j]);
    }
    if (Rnd(100) < 5) {
        const int32_t k = Rnd(n - 2) + 1;
        std::swap(genes[n - 1], genes[k]);
    }
    m = TTSPChromosome(std::move(genes));
}

} // namespace demo
