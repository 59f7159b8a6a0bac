// The run loop: stop criteria, pause and resume, stop, the counters of a
// generation, the elitist scheme, events, replay from a seed, and recovery
// from exceptions.

#include "solver/AlgorithmGetetic.h"
#include "solver/SolverSettings.h"

#include "SolverTestMaps.h"
#include "core/TSPErrors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace solver_test;
using namespace solver;

namespace {

struct Recorder {
    std::vector<int32_t> generations;
    std::vector<double> bests;
    std::vector<double> worsts;
    std::vector<int32_t> newBestAt; // generation count when a new best was reported
};

void Record(TTSPPopulation& population, Recorder& recorder,
            std::function<void(TTSPPopulation&, int32_t)> also = {}) {
    population.SetOnGeneration(
        [&recorder, also](TTSPPopulation& sender, int32_t generation, double best, double worst) {
            recorder.generations.push_back(generation);
            recorder.bests.push_back(best);
            recorder.worsts.push_back(worst);
            if (also)
                also(sender, generation);
        });
    population.SetOnNewBest([&recorder](TTSPPopulation& sender, double) {
        recorder.newBestAt.push_back(sender.Generation());
    });
}

TSolverSettings Settings(int32_t size, uint8_t criterion, int32_t generations) {
    TSolverSettings settings;
    settings.PopulationSize = size;
    settings.StopCriterion = criterion;
    settings.StopGenerations = generations;
    return settings;
}

} // namespace

TEST(RunLoop, StopGenerationsZeroEndsAfterOneGeneration) {
    TTSPMap map;
    CompleteMap(map, 7, {0, 2, 4, 6});
    for (uint8_t criterion : {scConstantBest, scGenerations}) {
        TTSPPopulation population(map);
        ApplySettings(population, Settings(10, criterion, 0));
        Recorder recorder;
        Record(population, recorder);
        population.Run();
        EXPECT_EQ(population.State(), stFinished);
        EXPECT_EQ(population.Generation(), 1);
        EXPECT_EQ(recorder.generations, std::vector<int32_t>{1});
    }
}

TEST(RunLoop, AllGenerationsCriterionCountsFromEachStartOrResume) {
    TTSPMap map;
    CompleteMap(map, 7, {0, 2, 4, 6});
    TTSPPopulation population(map);
    ApplySettings(population, Settings(10, scGenerations, 5));
    Recorder recorder;
    Record(population, recorder, [](TTSPPopulation& sender, int32_t generation) {
        if (generation == 3)
            sender.SetState(stPaused);
    });
    SetRandSeed(1);
    population.Run();
    EXPECT_EQ(population.State(), stPaused);
    EXPECT_EQ(population.Generation(), 3);
    population.Run();
    EXPECT_EQ(population.State(), stFinished);
    EXPECT_EQ(population.Generation(), 8) << "another 5 after the resume";
    // Finished: the next Run makes a new population (paused again at its 3rd).
    population.Run();
    EXPECT_EQ(population.Generation(), 3);
    EXPECT_EQ(population.State(), stPaused);
}

TEST(RunLoop, ConstantBestEndsStopGenerationsMinusOneAfterTheLastChange) {
    TTSPMap map;
    RandomSolvableMap(map, 8, 20, 40, 8);
    for (int32_t stop : {1, 5, 30}) {
        TTSPPopulation population(map);
        ApplySettings(population, Settings(30, scConstantBest, stop));
        Recorder recorder;
        Record(population, recorder);
        SetRandSeed(static_cast<uint32_t>(stop));
        population.Run();
        ASSERT_EQ(population.State(), stFinished);
        ASSERT_FALSE(recorder.newBestAt.empty());
        // A change inside generation g + 1 (reported while Generation() is g)
        // leaves the counter at 1 after that generation; the initial
        // population's best (g = 0, before any generation) leaves it at 0.
        // Either way the run ends with generation g + StopGenerations.
        const int32_t lastChange = recorder.newBestAt.back();
        EXPECT_EQ(population.Generation(), lastChange + stop);
    }
}

TEST(RunLoop, ASingleRouteMapNeverChangesItsBest) {
    // On a path every valid route is the path itself: every child is exactly as
    // long as the worst chromosome and is never inserted.
    TTSPMap map;
    PathMap(map, 6, {0, 2, 5});
    TTSPPopulation population(map);
    TSolverSettings settings = Settings(12, scConstantBest, 40);
    settings.CrossoverRate = 1;
    settings.MutationRate = 1;
    ApplySettings(population, settings);
    Recorder recorder;
    Record(population, recorder);
    SetRandSeed(4);
    population.Run();
    EXPECT_EQ(population.Generation(), 40);
    EXPECT_EQ(recorder.newBestAt, std::vector<int32_t>{0});
    EXPECT_EQ(population.KindTotal(), (std::array<int32_t, 5>{}));
    EXPECT_EQ(population.KindCurrent(), (std::array<int32_t, 5>{}));
    EXPECT_GT(population.MutationCounter(), 0) << "mutations that change nothing still count";
    for (int32_t i = 0; i < population.ChromosomeCount(); ++i)
        EXPECT_EQ(population.Chromosome(i).Origin, kInitialOrigin);
}

TEST(RunLoop, CrossoverCounterFollowsTheRate) {
    TTSPMap map;
    CompleteMap(map, 9, {0, 3, 5, 8});
    {
        TTSPPopulation population(map);
        TSolverSettings settings = Settings(7, scGenerations, 10);
        settings.CrossoverRate = 0;
        ApplySettings(population, settings);
        population.Run();
        EXPECT_EQ(population.CrossoverCounter(), 0);
        EXPECT_EQ(population.Generation(), 10);
    }
    {
        TTSPPopulation population(map);
        TSolverSettings settings = Settings(7, scGenerations, 10);
        settings.CrossoverRate = 1;
        ApplySettings(population, settings);
        population.Run();
        EXPECT_EQ(population.CrossoverCounter(), 4 * 10) << "ceil(7 / 2) pairs per generation";
    }
    {
        TTSPPopulation population(map);
        TSolverSettings settings = Settings(20, scGenerations, 3);
        settings.CrossoverRate = 1;
        settings.Elitism = true;
        settings.EliteSize = 6;
        ApplySettings(population, settings);
        population.Run();
        EXPECT_EQ(population.CrossoverCounter(), 15 * 3) << "6 * 5 / 2 pairs per generation";
    }
}

TEST(RunLoop, ElitistSchemeOrdersTheEliteFirst) {
    TTSPMap map;
    RandomSolvableMap(map, 21, 15, 50, 6);
    TTSPPopulation population(map);
    TSolverSettings settings = Settings(25, scGenerations, 1);
    settings.Elitism = true;
    settings.EliteSize = 7;
    settings.CrossoverRate = 0; // ordering only
    ApplySettings(population, settings);
    SetRandSeed(8);
    population.Run();
    std::vector<double> all;
    for (int32_t i = 0; i < population.ChromosomeCount(); ++i)
        all.push_back(population.Chromosome(i).Fitness);
    std::vector<double> sorted = all;
    std::sort(sorted.begin(), sorted.end());
    for (int32_t i = 0; i < 7; ++i)
        EXPECT_EQ(all[static_cast<size_t>(i)], sorted[static_cast<size_t>(i)]);
    EXPECT_EQ(population.BestIndex(), 0);
}

TEST(RunLoop, ElitismKeepsTheChosenKindEvenWithTheAdaptiveChoice) {
    TTSPMap map;
    RandomSolvableMap(map, 22, 15, 50, 6);
    TTSPPopulation population(map);
    TSolverSettings settings = Settings(30, scGenerations, 20);
    settings.Elitism = true;
    settings.EliteSize = 10;
    settings.AdaptiveChoice = true;
    settings.CrossoverKind = ckCUBX;
    ApplySettings(population, settings);
    SetRandSeed(2);
    population.Run();
    EXPECT_EQ(population.CrossoverKind(), ckCUBX);
    const auto& total = population.KindTotal();
    EXPECT_EQ(total[0] + total[1] + total[2] + total[3], 0);
    EXPECT_GT(total[4], 0) << "the counters still grow";
}

TEST(RunLoop, AdaptiveChoiceKeepsTheKindCountsEqualToTheOrigins) {
    TTSPMap map;
    RandomSolvableMap(map, 23, 20, 60, 10);
    TTSPPopulation population(map);
    TSolverSettings settings = Settings(40, scGenerations, 1);
    ApplySettings(population, settings);
    SetRandSeed(6);
    for (int round = 0; round < 30; ++round) {
        population.SetStopGenerations(5);
        population.Run();
        std::array<int32_t, 5> counted{};
        for (int32_t i = 0; i < population.ChromosomeCount(); ++i)
            if (population.Chromosome(i).Origin < 5)
                ++counted[population.Chromosome(i).Origin];
        ASSERT_EQ(population.KindCurrent(), counted);
        // Resume rather than start afresh, to follow one population.
        population.SetState(stPaused);
    }
}

TEST(RunLoop, EventsReportTheGenerationBestAndWorst) {
    TTSPMap map;
    RandomSolvableMap(map, 24, 18, 40, 7);
    TTSPPopulation population(map);
    ApplySettings(population, Settings(20, scGenerations, 15));
    std::vector<double> reportedBests;
    population.SetOnNewBest([&](TTSPPopulation& sender, double best) {
        EXPECT_EQ(best, sender.BestFitness());
        reportedBests.push_back(best);
    });
    int32_t expected = 0;
    population.SetOnGeneration(
        [&](TTSPPopulation& sender, int32_t generation, double best, double worst) {
            EXPECT_EQ(generation, ++expected);
            EXPECT_EQ(generation, sender.Generation());
            EXPECT_EQ(best, sender.BestFitness());
            EXPECT_EQ(worst, sender.Chromosome(sender.WorstIndex()).Fitness);
            EXPECT_EQ(sender.State(), stRunning);
        });
    SetRandSeed(10);
    population.Run();
    EXPECT_EQ(expected, 15);
    ASSERT_FALSE(reportedBests.empty());
    for (size_t i = 1; i < reportedBests.size(); ++i)
        EXPECT_LT(reportedBests[i], reportedBests[i - 1]) << "the best only improves";
}

TEST(RunLoop, ANewRunWithTheSameBestRaisesNoEvent) {
    TTSPMap map;
    RandomSolvableMap(map, 25, 12, 50, 5);
    TTSPPopulation population(map);
    ApplySettings(population, Settings(10, scGenerations, 0));
    int events = 0;
    population.SetOnNewBest([&](TTSPPopulation&, double) { ++events; });
    population.SetCrossoverRate(0);
    SetRandSeed(77);
    population.Run();
    EXPECT_EQ(events, 1);
    // The same seed makes the same initial population: the same best.
    SetRandSeed(77);
    population.Run();
    EXPECT_EQ(events, 1);
}

TEST(RunLoop, PauseStopAndRunInsideTheEvent) {
    TTSPMap map;
    CompleteMap(map, 8, {0, 3, 7});
    TTSPPopulation population(map);
    ApplySettings(population, Settings(10, scNone, 0));
    int nestedReturns = 0;
    population.SetOnGeneration([&](TTSPPopulation& sender, int32_t generation, double, double) {
        // A second Start pressed inside the pump returns at once.
        sender.Run();
        ++nestedReturns;
        if (generation == 4)
            sender.SetState(stPaused);
        if (generation == 9)
            sender.Stop();
    });
    population.Run();
    EXPECT_EQ(population.State(), stPaused);
    EXPECT_EQ(population.Generation(), 4);
    EXPECT_EQ(nestedReturns, 4);
    population.Run();
    EXPECT_EQ(population.State(), stStopped);
    EXPECT_EQ(population.Generation(), 9);

    // Pause, then Stop during the pause: the next Run starts afresh.
    population.SetState(stPaused);
    population.Stop();
    population.SetOnGeneration([](TTSPPopulation& sender, int32_t generation, double, double) {
        if (generation == 2)
            sender.Stop();
    });
    population.Run();
    EXPECT_EQ(population.Generation(), 2);
}

TEST(RunLoop, AStopCriterionMetWhilePausingKeepsThePause) {
    TTSPMap map;
    CompleteMap(map, 8, {0, 3, 7});
    TTSPPopulation population(map);
    ApplySettings(population, Settings(10, scGenerations, 3));
    population.SetOnGeneration([](TTSPPopulation& sender, int32_t generation, double, double) {
        if (generation == 3)
            sender.SetState(stPaused);
    });
    population.Run();
    EXPECT_EQ(population.State(), stPaused);
    EXPECT_EQ(population.Generation(), 3);
    population.Run();
    EXPECT_EQ(population.Generation(), 6);
}

TEST(RunLoop, AFixedSeedReplaysTheRun) {
    TTSPMap map;
    RandomSolvableMap(map, 26, 25, 30, 12, 20);
    auto run = [&](uint32_t seed) {
        TTSPPopulation population(map);
        TSolverSettings settings = Settings(50, scConstantBest, 60);
        settings.SelectionKind = skTournament;
        ApplySettings(population, settings);
        Recorder recorder;
        Record(population, recorder);
        SetRandSeed(seed);
        population.Run();
        std::vector<TIntegerArray> routes;
        for (int32_t i = 0; i < population.ChromosomeCount(); ++i)
            routes.push_back(population.Chromosome(i).Genes);
        return std::make_tuple(recorder.bests, recorder.worsts, routes,
                               population.CrossoverCounter(), population.MutationCounter(),
                               population.KindTotal(), RandSeed());
    };
    const auto first = run(31);
    EXPECT_EQ(first, run(31));
    EXPECT_NE(std::get<2>(first), std::get<2>(run(32)));
}

TEST(RunLoop, AnExceptionFromTheEventStopsTheRunAndTheNextStartWorks) {
    TTSPMap map;
    CompleteMap(map, 8, {0, 3, 7});
    TTSPPopulation population(map);
    ApplySettings(population, Settings(10, scNone, 0));
    population.SetOnGeneration([](TTSPPopulation&, int32_t generation, double, double) {
        if (generation == 3)
            throw std::runtime_error("handler failed");
    });
    EXPECT_THROW(population.Run(), std::runtime_error);
    EXPECT_EQ(population.State(), stStopped);
    population.SetOnGeneration([](TTSPPopulation& sender, int32_t generation, double, double) {
        if (generation == 2)
            sender.Stop();
    });
    population.Run();
    EXPECT_EQ(population.Generation(), 2) << "a fresh run";
}

TEST(RunLoop, NodesDeletedAndAddedDuringAPauseAreSafe) {
    // The chromosomes keep the old IDs: some now name other nodes or none.
    // Children are checked against the map as it is now, and lengths come from
    // the table of the run's start, so nothing reads outside either.
    TTSPMap map;
    CompleteMap(map, 9, {0, 4, 8});
    TTSPPopulation population(map);
    TSolverSettings settings = Settings(12, scNone, 0);
    settings.CrossoverRate = 1;
    settings.MutationRate = 1;
    ApplySettings(population, settings);
    population.SetOnGeneration([](TTSPPopulation& sender, int32_t generation, double, double) {
        if (generation % 4 == 0)
            sender.SetState(stPaused);
    });
    SetRandSeed(12);
    population.Run();
    ASSERT_EQ(population.State(), stPaused);
    map.DeleteCity(8); // the last selected city: every route ends at a lost ID
    population.Run();
    EXPECT_EQ(population.Generation(), 8);
    EXPECT_NE(population.GetBestPathString().find('x'), std::string::npos);
    TCity city;
    city.ID = map.Count();
    city.X = 5;
    map.AddCity(city);
    map.AddRoadEntry(city.ID, 0);
    map.AddRoadEntry(0, city.ID);
    population.Run();
    EXPECT_EQ(population.Generation(), 12);
    // A fresh run takes the map as it is now.
    population.Stop();
    population.Run();
    EXPECT_EQ(population.Generation(), 4);
    for (int32_t i = 0; i < population.ChromosomeCount(); ++i)
        EXPECT_TRUE(map.IsValidRoute(population.Chromosome(i).Genes));
}

TEST(RunLoop, RoadsAddedDuringAPauseReachTheChecks) {
    // Only one route exists at first, 0-1-2-3-4 with a detour up to node 2.
    // A road 1-3 added during the pause lets Reduced cut the detour out.
    TTSPMap map;
    BuildMap(map, {{0, 0}, {10, 0}, {20, 20}, {30, 0}, {40, 0}}, {{0, 1}, {1, 2}, {2, 3}, {3, 4}},
             {0, 4});
    TTSPPopulation population(map);
    TSolverSettings settings = Settings(10, scNone, 0);
    settings.MutationRate = 1;
    settings.MutationKind = mkReduced;
    ApplySettings(population, settings);
    population.SetOnGeneration([](TTSPPopulation& sender, int32_t generation, double, double) {
        if (generation % 5 == 0)
            sender.SetState(stPaused);
    });
    SetRandSeed(5);
    population.Run();
    const double detour = population.BestFitness();
    EXPECT_NEAR(detour, 20 + 2 * std::sqrt(500.0), 1e-9);
    EXPECT_GT(population.MutationCounter(), 0) << "adjacent cuts count";
    map.AddRoadEntry(1, 3);
    map.AddRoadEntry(3, 1);
    for (int i = 0; i < 20 && population.BestFitness() == detour; ++i)
        population.Run();
    EXPECT_EQ(population.BestFitness(), 40);
    EXPECT_EQ(population.GetBestPathString(), "N0-N1-N3-N4");
}

TEST(RunLoop, RouletteOnRoutesWithoutLengthEnds) {
    TTSPMap map;
    BuildMap(map, {{3, 3}, {3, 3}, {3, 3}, {3, 3}}, {{0, 1}, {1, 2}, {2, 3}, {0, 2}, {1, 3}},
             {0, 3});
    TTSPPopulation population(map);
    ApplySettings(population, Settings(8, scGenerations, 20));
    SetRandSeed(1);
    population.Run();
    EXPECT_EQ(population.Generation(), 20);
    EXPECT_EQ(population.BestFitness(), 0);
}

TEST(RunLoop, RouletteOnVanishinglyShortRoutesEnds) {
    TTSPMap map;
    BuildMap(map, {{0, 0}, {1e-9, 0}, {2e-9, 0}, {3e-9, 1e-9}},
             {{0, 1}, {1, 2}, {2, 3}, {0, 2}, {1, 3}}, {0, 3});
    TTSPPopulation population(map);
    ApplySettings(population, Settings(8, scGenerations, 20));
    SetRandSeed(1);
    population.Run();
    EXPECT_EQ(population.Generation(), 20);
}

TEST(RunLoop, TriangleOnAMapOfShortRoutesEnds) {
    // The two selected cities are one road apart: every route is [0, 1].
    TTSPMap map;
    BuildMap(map, {{0, 0}, {10, 0}, {20, 0}, {30, 0}}, {{0, 1}}, {0, 1});
    TTSPPopulation population(map);
    TSolverSettings settings = Settings(10, scGenerations, 10);
    settings.CrossoverKind = ckTriangle;
    settings.AdaptiveChoice = false;
    settings.CrossoverRate = 1;
    ApplySettings(population, settings);
    population.Run();
    EXPECT_EQ(population.Generation(), 10);
    EXPECT_EQ(population.CrossoverCounter(), 50) << "counted even without children";
}

TEST(RunLoop, ASelectionWhoseEndsAreOneNodeRunsWithoutReadingOutside) {
    // First and last selected city are the same node: routes of one gene.
    TTSPMap map;
    CompleteMap(map, 5, {});
    map.SetSelection(Route({2, 2}));
    for (uint8_t kind = 0; kind < kCrossoverKinds; ++kind) {
        TTSPPopulation population(map);
        TSolverSettings settings = Settings(6, scGenerations, 5);
        settings.CrossoverKind = kind;
        settings.AdaptiveChoice = false;
        settings.MutationRate = 1;
        ApplySettings(population, settings);
        population.Run();
        EXPECT_EQ(population.Generation(), 5);
        EXPECT_EQ(population.BestFitness(), 0);
    }
}

TEST(RunLoop, ElitismSwitchedOnDuringARunWithALargerEliteStaysInside) {
    TTSPMap map;
    CompleteMap(map, 8, {0, 3, 7});
    TTSPPopulation population(map);
    TSolverSettings settings = Settings(10, scGenerations, 6);
    settings.EliteSize = 50; // larger than the population, unused without elitism
    ApplySettings(population, settings);
    population.SetOnGeneration([](TTSPPopulation& sender, int32_t generation, double, double) {
        if (generation == 2)
            sender.SetElitism(true); // as the panel's check box does during a run
    });
    population.Run();
    EXPECT_EQ(population.Generation(), 6);
}
