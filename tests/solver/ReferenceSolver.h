#pragma once
// A plain, slow rendering of the generation step for differential tests: it
// follows the algorithm step by step with the map's own scans (HasRoad,
// ContainsAllSelected, IsValidRoute, GetPath), a linear roulette scan and CUBX
// as round after round of shifts. The solver's fast paths (road index,
// stamps, flat distances, binary-searched wheel, ring rotation, reused
// buffers) must give exactly its results and consume exactly its draws.
//
// The bounds the solver puts on endless loops are repeated here with the same
// values: Triangle gives up after 100 pair draws, the roulette wheel after
// 1000 tries, RandomReal after 65536 rejections.

#include "core/ArraysUnit.h"
#include "core/RandomUnit.h"
#include "map/TSPMap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace solver_test {

struct RefChromosome {
    double Fitness = 0;
    uint8_t Origin = 0;
    std::vector<int32_t> Genes;
};

class ReferencePopulation {
public:
    explicit ReferencePopulation(const TTSPMap& map) : map_(map) {}

    // Settings.
    int32_t PopulationSize = 100;
    double CrossoverRate = 0.8;
    double MutationRate = 0.2;
    uint8_t CrossoverKind = 0;
    uint8_t MutationKind = 3;
    uint8_t SelectionKind = 1;
    uint8_t StopCriterion = 0;
    int32_t EliteSize = 50;
    bool Elitism = false;
    bool AdaptiveChoice = true;

    // State.
    std::vector<RefChromosome> Chromosomes;
    double BestFitness = 0;
    int32_t BestIndex = 0;
    int32_t WorstIndex = 0;
    int32_t StopCounter = 0;
    int32_t MutationCounter = 0;
    int32_t CrossoverCounter = 0;
    int32_t NewBestEvents = 0;
    std::array<int32_t, 5> KindCurrent{};
    std::array<int32_t, 5> KindTotal{};

    void CreatePopulation() {
        Chromosomes.clear();
        for (int32_t i = 0; i < PopulationSize; ++i) {
            TIntegerArray route;
            map_.RandomRoute(route);
            RefChromosome c;
            c.Genes = route.Items();
            c.Origin = 5;
            c.Fitness = Length(c.Genes);
            Chromosomes.push_back(c);
        }
        KindCurrent.fill(0);
        KindTotal.fill(0);
        UpdateBestWorst();
        MutationCounter = CrossoverCounter = StopCounter = 0;
    }

    void NextGeneration() {
        const int32_t n = static_cast<int32_t>(Chromosomes.size());
        RefChromosome child1, child2;
        if (Elitism) {
            const int32_t elite = std::min(std::max(EliteSize, 0), n);
            for (int32_t i = 0; i < elite; ++i)
                for (int32_t j = i + 1; j < n; ++j)
                    if (Chromosomes[i].Fitness > Chromosomes[j].Fitness)
                        std::swap(Chromosomes[i], Chromosomes[j]);
            UpdateBestWorst();
            for (int32_t i = 0; i <= elite - 2; ++i)
                for (int32_t j = i + 1; j <= elite - 1; ++j)
                    HandlePair(i, j, child1, child2);
        } else {
            for (int32_t k = 0; k < n; k += 2) {
                if (AdaptiveChoice)
                    ChooseKind();
                int32_t p1 = 0, p2 = 0;
                if (SelectionKind == 2) {
                    p1 = Rnd(n);
                    p2 = Rnd(n);
                } else if (SelectionKind == 0) {
                    p1 = Tournament();
                    p2 = Tournament();
                } else {
                    Roulette(p1, p2);
                }
                HandlePair(p1, p2, child1, child2);
            }
        }
        if (StopCriterion == 0 || StopCriterion == 1)
            ++StopCounter;
    }

private:
    double Length(const std::vector<int32_t>& genes) const {
        double sum = 0;
        for (size_t i = 0; i + 1 < genes.size(); ++i)
            sum += map_.GetPath(genes[i], genes[i + 1]);
        return sum;
    }

    bool Valid(const std::vector<int32_t>& genes) const {
        TIntegerArray route;
        for (int32_t g : genes)
            route.Add(g);
        return map_.ContainsAllSelected(route) && map_.IsValidRoute(route);
    }

    static int32_t Draw(size_t length) { return Rnd(static_cast<int32_t>(length) - 2) + 1; }

    static int32_t IndexOf(const std::vector<int32_t>& v, int32_t x) {
        for (size_t i = 0; i < v.size(); ++i)
            if (v[i] == x)
                return static_cast<int32_t>(i);
        return -1;
    }

    // a[from..to] appended; nothing when to < from.
    static void Append(std::vector<int32_t>& out, const std::vector<int32_t>& a, int32_t from,
                       int32_t to) {
        for (int32_t i = from; i <= to; ++i)
            out.push_back(a[static_cast<size_t>(i)]);
    }

    void UpdateBestWorst() {
        BestIndex = WorstIndex = 0;
        double best = Chromosomes[0].Fitness, worst = best;
        for (size_t i = 0; i < Chromosomes.size(); ++i) {
            if (Chromosomes[i].Fitness < best) {
                best = Chromosomes[i].Fitness;
                BestIndex = static_cast<int32_t>(i);
            }
            if (Chromosomes[i].Fitness > worst) {
                worst = Chromosomes[i].Fitness;
                WorstIndex = static_cast<int32_t>(i);
            }
        }
        if (best != BestFitness) {
            BestFitness = best;
            ++NewBestEvents;
            if (StopCriterion == 0)
                StopCounter = 0;
        }
    }

    void ChooseKind() {
        int32_t total = 0;
        for (int32_t c : KindCurrent)
            total += c;
        if (total == 0) {
            CrossoverKind = static_cast<uint8_t>(Rnd(5));
            return;
        }
        const double r = RndReal();
        double share = 0;
        for (int kind = 0; kind < 5; ++kind) {
            share += static_cast<double>(KindCurrent[kind]) / total;
            if (share >= r) {
                CrossoverKind = static_cast<uint8_t>(kind);
                break;
            }
        }
        for (int kind = 0; kind < 5; ++kind)
            if (KindCurrent[kind] == 0 && Rnd(100) < 3)
                CrossoverKind = static_cast<uint8_t>(kind);
    }

    int32_t Tournament() {
        const int32_t n = static_cast<int32_t>(Chromosomes.size());
        int32_t x, y;
        do {
            x = Rnd(n);
            y = Rnd(n);
        } while (x == y);
        return Chromosomes[x].Fitness < Chromosomes[y].Fitness ? x : y;
    }

    double RandomReal(double x) {
        if (!(x > 0))
            return 0;
        if (x >= 2147483648.0) {
            double r;
            do
                r = RndReal() * x;
            while (!(r < x));
            return r;
        }
        for (int tries = 0; tries < 65536; ++tries) {
            const double r = Rnd(static_cast<int32_t>(x)) + RndReal();
            if (r < x)
                return r;
        }
        return RndReal() * x;
    }

    void Uniform(int32_t& p1, int32_t& p2) {
        const int32_t n = static_cast<int32_t>(Chromosomes.size());
        do {
            p1 = Rnd(n);
            p2 = Rnd(n);
        } while (p1 == p2);
    }

    void Roulette(int32_t& p1, int32_t& p2) {
        double total = 0;
        for (const RefChromosome& c : Chromosomes)
            total += c.Fitness;
        if (!(total > 0)) {
            Uniform(p1, p2);
            return;
        }
        auto spin = [&]() {
            const double r = RandomReal(total);
            double sum = 0;
            for (size_t i = 0; i < Chromosomes.size(); ++i) {
                sum += Chromosomes[i].Fitness;
                if (sum >= r)
                    return static_cast<int32_t>(i);
            }
            return static_cast<int32_t>(Chromosomes.size()) - 1;
        };
        p1 = p2 = -1;
        for (int tries = 0; p1 == p2; ++tries) {
            if (tries == 1000) {
                Uniform(p1, p2);
                return;
            }
            p1 = spin();
            p2 = spin();
        }
    }

    void HandlePair(int32_t p1, int32_t p2, RefChromosome& c1, RefChromosome& c2) {
        if (!(RndReal() < CrossoverRate))
            return;
        bool v1 = false, v2 = false;
        Crossover(p1, p2, c1, c2, v1, v2);
        ++CrossoverCounter;
        if (v1)
            Consider(c1);
        if (v2)
            Consider(c2);
    }

    void Consider(RefChromosome& c) {
        c.Fitness = Length(c.Genes);
        if (RndReal() < MutationRate && Mutate(c))
            c.Fitness = Length(c.Genes);
        if (c.Fitness < Chromosomes[WorstIndex].Fitness)
            Replace(WorstIndex, c);
    }

    void Replace(int32_t i, const RefChromosome& child) {
        const uint8_t old = Chromosomes[i].Origin;
        Chromosomes[i] = child;
        UpdateBestWorst();
        if (AdaptiveChoice) {
            if (child.Origin < 5)
                ++KindTotal[child.Origin];
            if (old < 5 && KindCurrent[old] > 0)
                --KindCurrent[old];
            if (child.Origin < 5)
                ++KindCurrent[child.Origin];
        }
    }

    void Crossover(int32_t i1, int32_t i2, RefChromosome& c1, RefChromosome& c2, bool& v1,
                   bool& v2) {
        const std::vector<int32_t> P1 = Chromosomes[i1].Genes;
        const std::vector<int32_t> P2 = Chromosomes[i2].Genes;
        const int32_t L1 = static_cast<int32_t>(P1.size()), L2 = static_cast<int32_t>(P2.size());
        v1 = v2 = false;
        bool made = false;
        if (L1 >= 2 && L2 >= 2) {
            switch (CrossoverKind) {
            case 0:
            case 3: {
                const int32_t c = Draw(P1.size());
                const int32_t q = IndexOf(P2, P1[c]);
                std::vector<int32_t> a, b;
                Append(a, P1, 0, c);
                Append(a, P2, q + 1, L2 - 1);
                Append(b, P2, 0, q);
                Append(b, P1, c + 1, L1 - 1);
                if (CrossoverKind == 0) {
                    c1.Genes = a;
                    c2.Genes = b;
                } else {
                    c1.Genes = b;
                    c2.Genes = a;
                }
                made = true;
                break;
            }
            case 1: {
                const int32_t x1 = Draw(P1.size());
                const int32_t q1 = IndexOf(P2, P1[x1]);
                if (q1 < 0)
                    break;
                const int32_t x2 = Draw(P1.size());
                const int32_t q2 = IndexOf(P2, P1[x2]);
                if (q2 < 0 || x1 >= x2 || q1 >= q2)
                    break;
                c1.Genes.clear();
                Append(c1.Genes, P1, 0, x1);
                Append(c1.Genes, P2, q1 + 1, q2);
                Append(c1.Genes, P1, x2 + 1, L1 - 1);
                c2.Genes.clear();
                Append(c2.Genes, P2, 0, q1);
                Append(c2.Genes, P1, x1 + 1, x2);
                Append(c2.Genes, P2, q2 + 1, L2 - 1);
                made = true;
                break;
            }
            case 2: {
                int32_t s = 0, t = 0;
                int draws = 0;
                bool found = false;
                while (draws < 100) {
                    ++draws;
                    s = Draw(P1.size());
                    t = Draw(P2.size());
                    if (s != t) {
                        found = true;
                        break;
                    }
                }
                if (!found)
                    break;
                c1.Genes = P1;
                c2.Genes = P2;
                c1.Genes[s] = P2[t];
                c2.Genes[t] = P1[s];
                made = true;
                break;
            }
            case 4: {
                const int32_t a1 = Draw(P1.size()), b1 = Draw(P1.size());
                const int32_t lo1 = std::min(a1, b1), hi1 = std::max(a1, b1);
                const int32_t a2 = Draw(P2.size()), b2 = Draw(P2.size());
                const int32_t lo2 = std::min(a2, b2), hi2 = std::max(a2, b2);
                c1.Genes = P1;
                c2.Genes = P2;
                const int32_t n = Rnd((hi1 - lo1) + (hi2 - lo2));
                for (int32_t round = 0; round < n + 1; ++round) {
                    const int32_t t1 = c1.Genes[lo1];
                    const int32_t t2 = c2.Genes[hi2];
                    for (int32_t k = lo1 + 1; k <= hi1; ++k)
                        c1.Genes[k - 1] = c1.Genes[k];
                    for (int32_t k = hi2 - 1; k >= lo2; --k)
                        c2.Genes[k + 1] = c2.Genes[k];
                    c2.Genes[lo2] = t1;
                    c1.Genes[hi1] = t2;
                }
                made = true;
                break;
            }
            default:
                break;
            }
        }
        if (made) {
            v1 = Valid(c1.Genes);
            v2 = Valid(c2.Genes);
        }
        if (AdaptiveChoice)
            c1.Origin = c2.Origin = CrossoverKind;
    }

    bool Mutate(RefChromosome& c) {
        std::vector<int32_t> T;
        bool changed = false;
        uint8_t kind = MutationKind;
        if (kind == 3)
            kind = static_cast<uint8_t>(Rnd(3));
        const std::vector<int32_t>& G = c.Genes;
        if (G.size() >= 2) {
            if (kind == 0) {
                T = G;
                const int32_t s = Draw(G.size());
                const int32_t t = Draw(G.size());
                std::swap(T[s], T[t]);
                changed = true;
            } else if (kind == 1) {
                T = G;
                for (int attempt = 0; attempt < 4; ++attempt) {
                    const int32_t s = Draw(G.size());
                    const int32_t t = Draw(G.size());
                    if (T[s] == T[t] && s != t) {
                        const int32_t lo = std::min(s, t), hi = std::max(s, t);
                        for (int32_t f = lo; f <= (lo + hi) / 2; ++f)
                            std::swap(T[f], T[lo + hi - f]);
                        changed = true;
                        break;
                    }
                }
            } else if (kind == 2) {
                const int32_t s = Draw(G.size());
                const int32_t t = Draw(G.size());
                if (s != t && map_.HasRoad(G[s], G[t])) {
                    const int32_t lo = std::min(s, t), hi = std::max(s, t);
                    Append(T, G, 0, lo);
                    Append(T, G, hi, static_cast<int32_t>(G.size()) - 1);
                    changed = true;
                }
            }
        }
        if (changed && Valid(T)) {
            c.Genes = T;
            ++MutationCounter;
            return true;
        }
        return false;
    }

    const TTSPMap& map_;
};

} // namespace solver_test
