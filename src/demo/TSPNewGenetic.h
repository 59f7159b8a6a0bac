#pragma once
// Demonstration chromosomes and operators for the learning window. A
// demonstration chromosome is a permutation of 0..N-1 (not a route), and its
// crossovers and mutations are the teaching versions of the solver's
// operators: they need no map, never fail on valid input, and always deliver
// complete permutations by filling gaps with random unused numbers.
//
// Every random number comes from the program's one generator (Rnd), drawn in
// the order the operators below describe, so a demonstration replays exactly
// from its seed.

#include <cstdint>
#include <string>
#include <vector>

namespace demo {

// Marks an empty position while an operator is building a child.
inline constexpr int32_t kGap = -1;

// Smallest chromosome the operators accept: the one-point and two-point
// draws need two different positions strictly inside the chromosome.
inline constexpr int32_t kMinOperatorGenes = 4;

class TTSPChromosome {
public:
    TTSPChromosome() = default;
    TTSPChromosome(std::initializer_list<int32_t> genes) : genes_(genes) {}
    explicit TTSPChromosome(std::vector<int32_t> genes) : genes_(std::move(genes)) {}

    int32_t Count() const { return static_cast<int32_t>(genes_.size()); }
    // Resizes to n genes, keeping the first ones; new genes are 0. A negative
    // n empties the chromosome.
    void SetCount(int32_t n);

    // Checked access; an index outside 0..Count-1 raises ETSPError with the
    // shared index message naming "TTSPChromosome.GetElement" /
    // "TTSPChromosome.SetElement".
    int32_t GetElement(int32_t index) const;
    void SetElement(int32_t index, int32_t value);

    // True if some gene equals value (scan from position 0).
    bool Exists(int32_t value) const;

    // Replaces every gap (-1), from position 0 upwards, by Rnd(N) redrawn until
    // the value is not in the chromosome.
    void FillGaps();

    // Genes joined by "-", a gap written as "x": {3, -1, 0} -> "3-x-0".
    std::string ToText() const;

    const std::vector<int32_t>& Genes() const { return genes_; }

    bool operator==(const TTSPChromosome&) const = default;

private:
    std::vector<int32_t> genes_;
};

// Makes the chromosome a random permutation of 0..n-1 (n <= 0 empties it):
// starting from 0, 1, ..., n-1, Fisher-Yates from the end, i = n-1 down to 1,
// swaps gene i with gene Rnd(i+1). Exactly n-1 draws.
void MakeRandomPermutation(TTSPChromosome& chromosome, int32_t n);

// Crossover kinds 0..4: "OP", "PMX", "Triangle", "SOP", "CUBX" (the learning
// window's list positions). p1 and p2 are the parents, c1 and c2 receive the
// children (every position is overwritten; they are resized to the parents'
// length). Raises ETSPError when the parents differ in length or hold fewer
// than four genes. An unknown kind leaves the children untouched.
void DemoCrossover(uint8_t kind, const TTSPChromosome& p1, const TTSPChromosome& p2,
                   TTSPChromosome& c1, TTSPChromosome& c2);

// Mutation kinds 0..4: "TwoRandom", "Inverse", "Reduced", "Случайно",
// "Не использовать", applied to m in place, followed by the 5% exchanges of
// each end gene with a random inner gene. Raises ETSPError for fewer than four
// genes. An unknown kind only draws and applies the end exchanges.
void DemoMutation(uint8_t kind, TTSPChromosome& m);

// The messages of the operators' own checks.
inline constexpr const char* kTooFewGenesMessage =
    "Для демонстрации операторов хромосома должна содержать не менее четырёх генов";
inline constexpr const char* kParentLengthMismatchMessage =
    "Для демонстрации кроссовера родители должны содержать одинаковое число генов";

} // namespace demo
