// The solver against the plain rendering of the algorithm (ReferenceSolver.h):
// from the same seed, every generation must leave the same chromosomes, the
// same counters and statistics, and the generator at the same state, for
// every combination of operators and schemes, on maps of several kinds, also
// while the map's roads and selection change between generations.

#include "solver/AlgorithmGetetic.h"
#include "solver/SolverSettings.h"

#include "ReferenceSolver.h"
#include "SolverTestMaps.h"

#include <gtest/gtest.h>

using namespace solver_test;
using namespace solver;

namespace {

::testing::AssertionResult Same(const TTSPPopulation& population,
                                const ReferencePopulation& reference) {
    if (population.ChromosomeCount() != static_cast<int32_t>(reference.Chromosomes.size()))
        return ::testing::AssertionFailure() << "sizes differ";
    for (int32_t i = 0; i < population.ChromosomeCount(); ++i) {
        const TTSPChromosome& c = population.Chromosome(i);
        const RefChromosome& r = reference.Chromosomes[static_cast<size_t>(i)];
        if (c.Genes.Items() != r.Genes)
            return ::testing::AssertionFailure() << "genes of " << i << " differ";
        if (c.Fitness != r.Fitness)
            return ::testing::AssertionFailure() << "fitness of " << i << " differs";
        if (c.Origin != r.Origin)
            return ::testing::AssertionFailure() << "origin of " << i << " differs";
    }
    if (population.BestFitness() != reference.BestFitness ||
        population.BestIndex() != reference.BestIndex ||
        population.WorstIndex() != reference.WorstIndex)
        return ::testing::AssertionFailure() << "best/worst differ";
    if (population.CrossoverCounter() != reference.CrossoverCounter ||
        population.MutationCounter() != reference.MutationCounter ||
        population.StopCounter() != reference.StopCounter)
        return ::testing::AssertionFailure()
               << "counters differ: crossovers " << population.CrossoverCounter() << "/"
               << reference.CrossoverCounter << ", mutations " << population.MutationCounter()
               << "/" << reference.MutationCounter;
    if (population.KindCurrent() != reference.KindCurrent ||
        population.KindTotal() != reference.KindTotal)
        return ::testing::AssertionFailure() << "kind counts differ";
    if (population.CrossoverKind() != reference.CrossoverKind)
        return ::testing::AssertionFailure() << "crossover kind differs";
    return ::testing::AssertionSuccess();
}

enum class Edits { None, Roads, Selection };

// Runs both from `seed` for `generations` and compares after each.
void Compare(TTSPMap& map, const TSolverSettings& settings, uint32_t seed, int generations,
             Edits edits, const std::string& what) {
    map.BuildDistanceMatrix();
    TTSPPopulation population(map);
    ApplySettings(population, settings);
    int events = 0;
    population.SetOnNewBest([&](TTSPPopulation&, double) { ++events; });
    ReferencePopulation reference(map);
    reference.PopulationSize = settings.PopulationSize;
    reference.CrossoverRate = settings.CrossoverRate;
    reference.MutationRate = settings.MutationRate;
    reference.CrossoverKind = settings.CrossoverKind;
    reference.MutationKind = settings.MutationKind;
    reference.SelectionKind = settings.SelectionKind;
    reference.StopCriterion = settings.StopCriterion;
    reference.EliteSize = settings.EliteSize;
    reference.Elitism = settings.Elitism;
    reference.AdaptiveChoice = settings.AdaptiveChoice;

    SetRandSeed(seed);
    population.CreatePopulation();
    uint32_t populationSeed = RandSeed();
    SetRandSeed(seed);
    reference.CreatePopulation();
    uint32_t referenceSeed = RandSeed();
    ASSERT_EQ(populationSeed, referenceSeed) << what;
    ASSERT_TRUE(Same(population, reference)) << what;

    const TIntegerArray originalSelection = map.SelectedCities();
    for (int g = 0; g < generations; ++g) {
        const int32_t n = map.Count();
        if (edits == Edits::Roads && g % 5 == 2) {
            // A new road both ways between two nodes picked without the generator.
            const int32_t a = (g * 7 + 3) % n;
            const int32_t b = (g * 13 + 5) % n;
            if (a != b && !map.HasRoad(a, b)) {
                map.AddRoadEntry(a, b);
                map.AddRoadEntry(b, a);
            }
        }
        if (edits == Edits::Selection && g % 6 == 3) {
            // Drop a middle selected city, or bring them all back.
            if (map.SelectedCities().Count() > 2 && g % 12 == 3) {
                TIntegerArray fewer = map.SelectedCities();
                fewer.Delete(1);
                map.SetSelection(fewer);
            } else {
                map.SetSelection(originalSelection);
            }
        }
        SetRandSeed(populationSeed);
        population.NextGeneration();
        populationSeed = RandSeed();
        SetRandSeed(referenceSeed);
        reference.NextGeneration();
        referenceSeed = RandSeed();
        ASSERT_EQ(populationSeed, referenceSeed) << what << ", generation " << g + 1;
        ASSERT_TRUE(Same(population, reference)) << what << ", generation " << g + 1;
    }
    EXPECT_EQ(events, reference.NewBestEvents) << what;
}

std::string Describe(const TSolverSettings& s) {
    return "crossover " + std::to_string(s.CrossoverKind) + " mutation " +
           std::to_string(s.MutationKind) + " selection " + std::to_string(s.SelectionKind) +
           (s.Elitism ? " elitism" : "") + (s.AdaptiveChoice ? " adaptive" : "");
}

} // namespace

TEST(ReferenceDifferential, EveryCombinationOfOperatorsAndSchemes) {
    TTSPMap dense, sparse;
    RandomSolvableMap(dense, 101, 12, 70, 6);
    RandomSolvableMap(sparse, 102, 25, 12, 5, 30);
    int runs = 0;
    for (TTSPMap* map : {&dense, &sparse}) {
        for (uint8_t crossover = 0; crossover < kCrossoverKinds; ++crossover)
            for (uint8_t mutation = 0; mutation <= mkNone; ++mutation)
                for (uint8_t selection = 0; selection <= skRandom; ++selection)
                    for (bool elitism : {false, true})
                        for (bool adaptive : {false, true}) {
                            if (elitism && selection != skRoulette)
                                continue; // selection is not used by the elitist scheme
                            TSolverSettings s;
                            s.PopulationSize = 16;
                            s.EliteSize = 6;
                            s.CrossoverKind = crossover;
                            s.MutationKind = mutation;
                            s.SelectionKind = selection;
                            s.Elitism = elitism;
                            s.AdaptiveChoice = adaptive;
                            s.MutationRate = 0.5;
                            Compare(*map, s, 1000u + static_cast<uint32_t>(runs), 12, Edits::None,
                                    Describe(s));
                            if (HasFatalFailure())
                                return;
                            ++runs;
                        }
    }
    EXPECT_EQ(runs, 2 * 5 * 5 * (3 * 2 + 2));
}

TEST(ReferenceDifferential, LongRunsWithTheDefaultSettings) {
    TTSPMap map;
    RandomSolvableMap(map, 103, 25, 75, 25);
    for (uint32_t seed : {1u, 2u, 3u}) {
        TSolverSettings s; // the panel's initial settings
        Compare(map, s, seed, 150, Edits::None, "defaults, seed " + std::to_string(seed));
        if (HasFatalFailure())
            return;
    }
    TSolverSettings elite;
    elite.Elitism = true;
    Compare(map, elite, 4, 25, Edits::None, "elitism 50");
}

TEST(ReferenceDifferential, SparseMapsWithTransitPointsAndRates) {
    for (uint32_t m = 0; m < 6; ++m) {
        TTSPMap map;
        RandomSolvableMap(map, 200 + m, 40 + 10 * static_cast<int32_t>(m), 5 + 2 * m, 4 + m, 25);
        TSolverSettings s;
        s.PopulationSize = 30 + static_cast<int32_t>(m);
        s.CrossoverRate = m % 2 ? 1.0 : 0.6;
        s.MutationRate = m % 3 ? 0.9 : 0.1;
        s.SelectionKind = static_cast<uint8_t>(m % 3);
        Compare(map, s, 50 + m, 60, Edits::None, "sparse map " + std::to_string(m));
        if (HasFatalFailure())
            return;
    }
}

TEST(ReferenceDifferential, RoadsAndSelectionChangingBetweenGenerations) {
    for (uint32_t m = 0; m < 4; ++m) {
        TTSPMap map;
        RandomSolvableMap(map, 300 + m, 20, 10, 6, 20);
        TSolverSettings s;
        s.PopulationSize = 24;
        s.MutationRate = 0.7;
        s.MutationKind = static_cast<uint8_t>(m % 2 ? mkReduced : mkRandom);
        Compare(map, s, 70 + m, 60, m % 2 ? Edits::Roads : Edits::Selection,
                "edited map " + std::to_string(m));
        if (HasFatalFailure())
            return;
    }
}

TEST(ReferenceDifferential, DegenerateMaps) {
    // All routes of length 0 (uniform roulette), short routes (Triangle gives
    // up), and a selection whose ends are one node (one-gene routes).
    TTSPMap point;
    BuildMap(point, {{3, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 3}},
             {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {0, 2}, {1, 3}, {2, 4}}, {0, 4});
    TTSPMap shortRoutes;
    BuildMap(shortRoutes, {{0, 0}, {10, 0}, {5, 5}, {20, 0}}, {{0, 1}, {0, 2}, {2, 1}, {1, 3}},
             {0, 1});
    TTSPMap loop;
    CompleteMap(loop, 5, {});
    loop.SetSelection(Route({2, 2}));
    int index = 0;
    for (TTSPMap* map : {&point, &shortRoutes, &loop}) {
        for (uint8_t crossover = 0; crossover < kCrossoverKinds; ++crossover) {
            TSolverSettings s;
            s.PopulationSize = 9;
            s.CrossoverKind = crossover;
            s.AdaptiveChoice = crossover % 2 == 0;
            s.CrossoverRate = 1;
            s.MutationRate = 1;
            Compare(*map, s, 7, 15, Edits::None,
                    "degenerate " + std::to_string(index) + " kind " + std::to_string(crossover));
            if (HasFatalFailure())
                return;
        }
        ++index;
    }
}
