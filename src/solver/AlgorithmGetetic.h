#pragma once
// The genetic solver: one population of candidate routes for a road map, the
// generation step, the run loop and the crossover and mutation operators.
// Every draw comes from one generator (RandomUnit.h), in a fixed order, so
// that a run replays exactly from its seed. That generator is the program's
// shared one unless the population is given its own (independent runs on
// worker threads).

#include "core/ArraysUnit.h"
#include "core/RandomUnit.h"
#include "map/TSPMap.h"
#include "solver/SolverCodes.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace solver {

// One route: node IDs from the first selected city to the last.
class TTSPChromosome {
public:
    double Fitness = 0; // route length; smaller is better
    uint8_t Origin = 0; // crossover kind 0..4 that made it, 5 for an initial route
    TIntegerArray Genes;

    int32_t Count() const { return Genes.Count(); }
    void Clear() { Genes.Clear(); }
    void Add(int32_t gene) { Genes.Add(gene); }
    // Checked access; ETSPError with the shared index message
    // ("_TTSPChromosome.GetElement" / "_TTSPChromosome.SetElement").
    int32_t GetElement(int32_t index) const;
    void SetElement(int32_t index, int32_t value);

    // Fitness := sum of the distances between consecutive genes (map's matrix).
    void CalcFitness(const TTSPMap& map);
    // Node names joined by "-", "x" for a gene -1.
    std::string ToText(const TTSPMap& map) const;
};

class TTSPPopulation;
struct TChildCheck;

// Raised after every generation: generation number, best fitness, worst fitness.
using TGenerationEvent =
    std::function<void(TTSPPopulation& sender, int32_t generation, double best, double worst)>;
// Raised when the smallest fitness changes.
using TNewBestEvent = std::function<void(TTSPPopulation& sender, double best)>;

// What the start of a fresh run is doing when it reports its progress.
enum class TStartStage : uint8_t {
    DistanceMatrix, // rows of the distance table
    Routes,         // road walks between consecutive selected cities, over all routes
};
// Raised now and then while a fresh run starts (at most once per interval,
// kStartProgressInterval unless set): `done` of `total` units of the stage. A
// handler that stops the population (Stop, or the panel's pause) cancels the
// start.
using TStartProgressEvent =
    std::function<void(TTSPPopulation& sender, TStartStage stage, int64_t done, int64_t total)>;
inline constexpr std::chrono::milliseconds kStartProgressInterval{25};

// Memory a fresh run needs: the distance table and the population's routes.
struct TStartMemory {
    int64_t MatrixBytes = 0;
    int64_t PopulationBytes = 0;
    // Genes per route the population figure assumes: measured on the first
    // routes when Sampled, otherwise the most a route can have.
    double GenesPerRoute = 0;
    bool Sampled = false;
    int64_t Total() const { return MatrixBytes + PopulationBytes; }
};
// The most a fresh run may take for the two; a start that would need more
// is refused.
inline constexpr int64_t kStartMemoryLimit = int64_t{1} << 30;

class TTSPPopulation {
public:
    // The population works on this map (the program passes g_Map).
    explicit TTSPPopulation(TTSPMap& map);
    ~TTSPPopulation();
    TTSPPopulation(const TTSPPopulation&) = delete;
    TTSPPopulation& operator=(const TTSPPopulation&) = delete;

    // --- Settings (plain assignments; checked when a run starts) -------------
    void SetPopulationSize(int32_t size) { populationSize_ = size; }
    void SetCrossoverKind(uint8_t kind) { crossoverKind_ = kind; }
    void SetMutationKind(uint8_t kind) { mutationKind_ = kind; }
    void SetSelectionKind(uint8_t kind) { selectionKind_ = kind; }
    void SetStopCriterion(uint8_t criterion) { stopCriterion_ = criterion; }
    void SetStopGenerations(int32_t generations) { stopGenerations_ = generations; }
    void SetEliteSize(int32_t size) { eliteSize_ = size; }
    void SetElitism(bool on) { elitism_ = on; }
    void SetAdaptiveChoice(bool on) { adaptiveChoice_ = on; }
    void SetCrossoverRate(double rate) { crossoverRate_ = rate; }
    void SetMutationRate(double rate) { mutationRate_ = rate; }
    // Setting stPaused is how the panel pauses a running loop.
    void SetState(uint8_t state) { state_ = state; }

    void SetOnGeneration(TGenerationEvent handler) { onGeneration_ = std::move(handler); }
    void SetOnNewBest(TNewBestEvent handler) { onNewBest_ = std::move(handler); }
    void SetOnStartProgress(TStartProgressEvent handler,
                            std::chrono::steady_clock::duration interval = kStartProgressInterval) {
        onStartProgress_ = std::move(handler);
        startProgressInterval_ = interval;
    }

    // The generator every draw of this population comes from; the shared one
    // unless set. It must outlive the population's use of it.
    void SetRandom(TRandom& random) { random_ = &random; }
    TRandom& Random() const { return *random_; }

    int32_t PopulationSize() const { return populationSize_; }
    uint8_t CrossoverKind() const { return crossoverKind_; }
    uint8_t MutationKind() const { return mutationKind_; }
    uint8_t SelectionKind() const { return selectionKind_; }
    uint8_t StopCriterion() const { return stopCriterion_; }
    int32_t StopGenerations() const { return stopGenerations_; }
    int32_t EliteSize() const { return eliteSize_; }
    bool Elitism() const { return elitism_; }
    bool AdaptiveChoice() const { return adaptiveChoice_; }
    double CrossoverRate() const { return crossoverRate_; }
    double MutationRate() const { return mutationRate_; }
    uint8_t State() const { return state_; }

    // --- Statistics ----------------------------------------------------------
    double BestFitness() const { return bestFitness_; }
    int32_t BestIndex() const { return bestIndex_; }
    int32_t WorstIndex() const { return worstIndex_; }
    int32_t Generation() const { return generation_; }
    int32_t StopCounter() const { return stopCounter_; }
    int32_t MutationCounter() const { return mutationCounter_; }
    int32_t CrossoverCounter() const { return crossoverCounter_; }
    const std::array<int32_t, kCrossoverKinds>& KindCurrent() const { return kindCurrent_; }
    const std::array<int32_t, kCrossoverKinds>& KindTotal() const { return kindTotal_; }

    // --- Chromosomes ---------------------------------------------------------
    // Number of chromosomes stored (the size of the running population, which
    // may differ from PopulationSize() while a changed size waits for a fresh run).
    int32_t ChromosomeCount() const { return static_cast<int32_t>(chromosomes_.size()); }
    const TTSPChromosome& Chromosome(int32_t index) const;
    int32_t GetGene(int32_t chromosome, int32_t gene) const;
    int32_t GetGeneCount(int32_t chromosome) const;
    std::string GetBestPathString() const;

    // --- Operations ----------------------------------------------------------
    // Raises ETSPError when the settings cannot run (size below 2, elite
    // larger than the population with elitism on, a code outside its list).
    // A paused run is checked with the size it has, not the size set since.
    // Run calls it before it starts or resumes, leaving the state as it was.
    void CheckSettings() const;
    // Memory a fresh start would need now: the route length is measured on
    // the routes the population would draw first, on a copy of its generator
    // (at most 8 routes or 50 ms, extrapolated from the road walks made), so
    // no draw is consumed.
    TStartMemory EstimateStartMemory() const;
    // Raises ETSPError naming the estimate and kStartMemoryLimit when a fresh
    // start would need more. It measures only when the most the routes can
    // take would exceed the limit, so small tasks cost nothing. Run checks it
    // before every fresh start.
    void CheckStartMemory() const;
    void CreatePopulation();
    // Replaces the population by these routes, as CreatePopulation does with
    // random ones (Origin 5, lengths computed, counters cleared). The distance
    // matrix must be built. For tests and tools.
    void SetChromosomes(std::vector<TIntegerArray> routes);
    void UpdateBestWorst();
    // State := stStopped; a running loop ends after the current generation.
    void Stop() { state_ = stStopped; }
    // Start (stopped/finished), resume (paused) or return at once (running).
    // A fresh start builds the distance table and the initial population,
    // raising OnStartProgress meanwhile; when a handler stops it, the map, the
    // population and the generator stay as they were, State is stStopped and
    // Run returns.
    void Run();
    void NextGeneration();
    void ReplaceChromosome(int32_t index, const TTSPChromosome& child);
    void Crossover(int32_t p1, int32_t p2, TTSPChromosome& child1, TTSPChromosome& child2,
                   bool& valid1, bool& valid2);
    bool Mutate(TTSPChromosome& chromosome);
    // Random real in [0, x): Rnd(Trunc(x)) + RndReal until below x.
    double RandomReal(double x);
    // Draws the parents of one pair of the selective scheme by SelectionKind.
    void SelectParents(int32_t& p1, int32_t& p2);

    TTSPMap& Map() { return map_; }
    const TTSPMap& Map() const { return map_; }

private:
    // Implementation details (working buffers, road index) live here.
    struct Impl;

    void CheckChromosomeIndex(int32_t index, const char* operation) const;
    int32_t EffectiveSize() const;
    bool StartFresh();
    bool DrawInitialRoutes(std::vector<TIntegerArray>& routes, TProgressPoll* poll);
    double SampleGenesPerRoute() const;
    // The road index, refreshed from the map once per generation and after
    // every event handler that might have changed the map.
    void EnsureIndex();
    // The crossover of a generation. With mayCopy, children that are copies
    // of their parents are left unbuilt (TChildCheck::copyOf).
    void CrossoverChildren(int32_t p1, int32_t p2, TTSPChromosome& child1, TTSPChromosome& child2,
                           bool& valid1, bool& valid2, bool mayCopy);
    // The check of an unbuilt copy of chromosome `parent`.
    void CopyCheck(int32_t parent, TChildCheck& check);
    // Mutates a working child whose genes are `genes` (its own, or those of
    // the chromosome it copies); an accepted mutation gives it its own.
    bool MutateChild(TTSPChromosome& chromosome, const TIntegerArray& genes);
    // The child check; a valid route is measured (ApproximateLength) when the
    // distance table allows.
    void CheckChild(const TIntegerArray& genes, TChildCheck& check) const;
    // The check of a crossover child, which often copies one of its parents:
    // then it has that parent's length, and its validity when the parent was
    // checked under the same road index. With stepsValid the child is known
    // to start and end right and to follow roads.
    void CheckCrossoverChild(const TIntegerArray& genes, int32_t p1, int32_t p2, bool stepsValid,
                             TChildCheck& check);
    // Whether chromosome i passes the child check under the current road
    // index (remembered until the index changes).
    bool ParentValid(int32_t i);
    void RaiseNewBest();
    void SwapChromosomes(int32_t i, int32_t j);
    void ChooseAdaptiveKind();
    int32_t TournamentWinner();
    void RouletteParents(int32_t& p1, int32_t& p2);
    void UniformDistinctParents(int32_t& p1, int32_t& p2);
    void HandlePair(int32_t p1, int32_t p2);
    // A valid child: its length (unless already measured), perhaps a mutation,
    // and the worst chromosome replaced when the child is shorter.
    void ConsiderChild(TTSPChromosome& child, const TChildCheck& crossoverCheck);
    // The lengths, beside the chromosomes, so that the scans for the best and
    // the worst and the orderings read one array.
    double Fitness(int32_t index) const { return fitness_[static_cast<size_t>(index)]; }

    TTSPMap& map_;
    std::vector<std::unique_ptr<TTSPChromosome>> chromosomes_;
    std::vector<double> fitness_;
    TRandom* random_ = &SharedRandom();
    TStartProgressEvent onStartProgress_;
    std::chrono::steady_clock::duration startProgressInterval_ = kStartProgressInterval;
    int32_t populationSize_ = 0;
    int32_t stopCounter_ = 0;
    double crossoverRate_ = 0.9;
    double mutationRate_ = 0.1;
    double bestFitness_ = 0;
    int32_t bestIndex_ = 0;
    int32_t worstIndex_ = 0;
    uint8_t crossoverKind_ = 1;
    uint8_t mutationKind_ = 3;
    int32_t generation_ = 0;
    uint8_t state_ = stStopped;
    TGenerationEvent onGeneration_;
    int32_t mutationCounter_ = 0;
    int32_t crossoverCounter_ = 0;
    TNewBestEvent onNewBest_;
    uint8_t selectionKind_ = 0;
    uint8_t stopCriterion_ = 0;
    int32_t stopGenerations_ = 0;
    int32_t eliteSize_ = 50;
    bool elitism_ = false;
    bool adaptiveChoice_ = false;
    std::array<int32_t, kCrossoverKinds> kindCurrent_{};
    std::array<int32_t, kCrossoverKinds> kindTotal_{};
    std::unique_ptr<Impl> impl_;
};

} // namespace solver
