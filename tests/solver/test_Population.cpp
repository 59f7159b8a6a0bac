// The population model: defaults, the best/worst bookkeeping, replacement with
// the kind statistics, and the settings refused before a run.

#include "solver/AlgorithmGetetic.h"
#include "solver/SolverSettings.h"

#include "SolverTestMaps.h"
#include "core/TSPErrors.h"

#include <gtest/gtest.h>

using namespace solver_test;
using namespace solver;

namespace {

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ETSPError& error) {
        return error.what();
    }
    return "(no error)";
}

// Nodes along the x axis at the given positions, every pair joined, the
// first and the last selected; the route [0, k, last] has a known length.
void LineMap(TTSPMap& map, const std::vector<double>& xs) {
    std::vector<Point> points;
    std::vector<std::pair<int32_t, int32_t>> roads;
    for (size_t i = 0; i < xs.size(); ++i) {
        points.push_back({xs[i], 0});
        for (size_t j = 0; j < i; ++j)
            roads.emplace_back(static_cast<int32_t>(j), static_cast<int32_t>(i));
    }
    BuildMap(map, points, roads, {0, static_cast<int32_t>(xs.size()) - 1});
    map.BuildDistanceMatrix();
}

} // namespace

TEST(Population, ConstructorDefaults) {
    TTSPMap map;
    TTSPPopulation population(map);
    EXPECT_EQ(population.PopulationSize(), 0);
    EXPECT_EQ(population.CrossoverRate(), 0.9);
    EXPECT_EQ(population.MutationRate(), 0.1);
    EXPECT_EQ(population.CrossoverKind(), ckPMX);
    EXPECT_EQ(population.MutationKind(), mkRandom);
    EXPECT_EQ(population.SelectionKind(), skTournament);
    EXPECT_EQ(population.StopCriterion(), scConstantBest);
    EXPECT_EQ(population.StopGenerations(), 0);
    EXPECT_EQ(population.EliteSize(), 50);
    EXPECT_FALSE(population.Elitism());
    EXPECT_FALSE(population.AdaptiveChoice());
    EXPECT_EQ(population.State(), stStopped);
    EXPECT_EQ(population.BestFitness(), 0);
    EXPECT_EQ(population.ChromosomeCount(), 0);
    EXPECT_EQ(population.GetBestPathString(), "");
}

TEST(Population, BestAndWorstAreTheFirstPositionsOfTheExtremes) {
    TTSPMap map;
    LineMap(map, {0, 10, 20, 30, 100});
    TTSPPopulation population(map);
    int events = 0;
    double reported = -1;
    population.SetOnNewBest([&](TTSPPopulation&, double best) {
        ++events;
        reported = best;
    });
    // [0, 3, 1, 4] is 30 + 20 + 90 = 140; [0, 4] and [0, 2, 4] are 100 each.
    population.SetChromosomes(
        {Route({0, 3, 1, 4}), Route({0, 4}), Route({0, 3, 1, 4}), Route({0, 2, 4})});
    EXPECT_EQ(population.BestIndex(), 1);
    EXPECT_EQ(population.WorstIndex(), 0);
    EXPECT_EQ(population.BestFitness(), 100);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(reported, 100);
    EXPECT_EQ(population.GetBestPathString(), "N0-N4");

    // The same best again raises nothing.
    population.UpdateBestWorst();
    population.SetChromosomes({Route({0, 2, 4}), Route({0, 4})});
    EXPECT_EQ(events, 1);
    EXPECT_EQ(population.BestIndex(), 0) << "equal lengths: the first position wins";
    EXPECT_EQ(population.WorstIndex(), 0);
}

TEST(Population, ANewBestResetsTheStopCounterOnlyUnderConstantBest) {
    TTSPMap map;
    LineMap(map, {0, 10, 20, 30, 100});
    TTSPPopulation population(map);
    TTSPChromosome shorter;
    shorter.Genes = Route({0, 4});
    shorter.Fitness = 100;

    population.SetStopCriterion(scGenerations);
    population.SetChromosomes({Route({0, 3, 1, 4}), Route({0, 3, 1, 4})});
    // Count a few generations without changing the best.
    population.SetCrossoverRate(0);
    for (int i = 0; i < 3; ++i)
        population.NextGeneration();
    EXPECT_EQ(population.StopCounter(), 3);
    population.ReplaceChromosome(0, shorter);
    EXPECT_EQ(population.StopCounter(), 3) << "criterion 1 counts on";

    population.SetStopCriterion(scConstantBest);
    population.SetChromosomes({Route({0, 3, 1, 4}), Route({0, 3, 1, 4})});
    population.NextGeneration();
    population.NextGeneration();
    EXPECT_EQ(population.StopCounter(), 2);
    population.ReplaceChromosome(1, shorter);
    EXPECT_EQ(population.StopCounter(), 0) << "criterion 0 starts again at a new best";
}

TEST(Population, ReplacementKeepsTheKindCounts) {
    TTSPMap map;
    LineMap(map, {0, 10, 20, 30, 100});
    TTSPPopulation population(map);
    population.SetAdaptiveChoice(true);
    population.SetChromosomes(
        {Route({0, 3, 1, 4}), Route({0, 3, 1, 4}), Route({0, 3, 1, 4}), Route({0, 3, 1, 4})});
    auto child = [](uint8_t origin) {
        TTSPChromosome c;
        c.Genes = Route({0, 1, 4});
        c.Fitness = 100;
        c.Origin = origin;
        return c;
    };
    // Replacing an initial chromosome lowers no count.
    population.ReplaceChromosome(0, child(ckSOP));
    EXPECT_EQ(population.KindCurrent(), (std::array<int32_t, 5>{0, 0, 0, 1, 0}));
    EXPECT_EQ(population.KindTotal(), (std::array<int32_t, 5>{0, 0, 0, 1, 0}));
    EXPECT_EQ(population.Chromosome(0).Origin, ckSOP);
    // Replacing a chromosome of kind k lowers its count and raises the child's.
    population.ReplaceChromosome(0, child(ckCUBX));
    EXPECT_EQ(population.KindCurrent(), (std::array<int32_t, 5>{0, 0, 0, 0, 1}));
    EXPECT_EQ(population.KindTotal(), (std::array<int32_t, 5>{0, 0, 0, 1, 1}));
    population.ReplaceChromosome(0, child(ckCUBX));
    EXPECT_EQ(population.KindCurrent(), (std::array<int32_t, 5>{0, 0, 0, 0, 1}));
    EXPECT_EQ(population.KindTotal(), (std::array<int32_t, 5>{0, 0, 0, 1, 2}));

    // A count never goes below 0 (a chromosome made while adaptive was off).
    population.SetAdaptiveChoice(false);
    population.ReplaceChromosome(1, child(ckOP));
    population.SetAdaptiveChoice(true);
    population.ReplaceChromosome(1, child(ckPMX));
    EXPECT_EQ(population.KindCurrent(), (std::array<int32_t, 5>{0, 1, 0, 0, 1}));
    // A child of the initial population's origin has no count to raise.
    population.ReplaceChromosome(2, child(kInitialOrigin));
    EXPECT_EQ(population.KindTotal(), (std::array<int32_t, 5>{0, 1, 0, 1, 2}));
    EXPECT_EQ(population.Chromosome(2).Fitness, 100);
    EXPECT_EQ(population.Chromosome(2).Genes, Route({0, 1, 4}));
}

TEST(Population, CheckedAccessToChromosomes) {
    TTSPMap map;
    LineMap(map, {0, 10, 20, 30, 100});
    TTSPPopulation population(map);
    population.SetChromosomes({Route({0, 4}), Route({0, 1, 4})});
    EXPECT_EQ(population.GetGeneCount(1), 3);
    EXPECT_EQ(population.GetGene(1, 1), 1);
    EXPECT_EQ(ErrorOf([&] { population.GetGene(2, 0); }),
              "Неправильный индекс при обращении к _TTSPPopulation.GetGene (2). Индекс должен "
              "лежать в диапазоне от 0 до 2");
    EXPECT_NE(ErrorOf([&] { population.GetGene(0, 2); }).find("_TTSPChromosome.GetElement"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { population.GetGeneCount(-1); }), "(no error)");
    EXPECT_NE(ErrorOf([&] { population.Chromosome(5); }), "(no error)");
    TTSPChromosome child;
    EXPECT_NE(ErrorOf([&] { population.ReplaceChromosome(2, child); }), "(no error)");
}

TEST(Population, SettingsThatCannotRunAreRefusedBeforeTheRunStarts) {
    TTSPMap map;
    CompleteMap(map, 6, {0, 5});
    TTSPPopulation population(map);
    TSolverSettings settings;
    settings.PopulationSize = 1;
    ApplySettings(population, settings);
    EXPECT_EQ(ErrorOf([&] { population.Run(); }),
              "Число хромосом в популяции должно быть не меньше двух (задано 1)");
    settings.PopulationSize = 0;
    ApplySettings(population, settings);
    EXPECT_NE(ErrorOf([&] { population.Run(); }), "(no error)");
    EXPECT_EQ(population.State(), stStopped);
    EXPECT_EQ(population.ChromosomeCount(), 0);
    EXPECT_FALSE(map.MatrixBuilt()) << "refused before anything was done";

    settings.PopulationSize = 10;
    settings.Elitism = true;
    settings.EliteSize = 11;
    ApplySettings(population, settings);
    EXPECT_EQ(ErrorOf([&] { population.Run(); }),
              "Размер элиты (11) не должен превышать число хромосом в популяции (10)");
    EXPECT_EQ(population.State(), stStopped);

    // The same elite without elitism is not used, so it does not matter.
    settings.Elitism = false;
    settings.StopGenerations = 2;
    ApplySettings(population, settings);
    EXPECT_NO_THROW(population.Run());
    EXPECT_EQ(population.State(), stFinished);

    // Codes the panel cannot produce.
    population.SetCrossoverKind(5);
    EXPECT_EQ(ErrorOf([&] { population.CheckSettings(); }), "Неизвестный вид кроссовера (5)");
    population.SetCrossoverKind(0);
    population.SetMutationKind(5);
    EXPECT_NE(ErrorOf([&] { population.CheckSettings(); }), "(no error)");
    population.SetMutationKind(4);
    population.SetSelectionKind(3);
    EXPECT_NE(ErrorOf([&] { population.CheckSettings(); }), "(no error)");
    population.SetSelectionKind(2);
    population.SetStopCriterion(3);
    EXPECT_NE(ErrorOf([&] { population.CheckSettings(); }), "(no error)");
    population.SetStopCriterion(2);
    EXPECT_NO_THROW(population.CheckSettings());
}

TEST(Population, ASizeChangedDuringAPauseWaitsForTheNextFreshRun) {
    TTSPMap map;
    CompleteMap(map, 8, {0, 3, 7});
    TTSPPopulation population(map);
    TSolverSettings settings;
    settings.PopulationSize = 10;
    settings.StopCriterion = scNone;
    ApplySettings(population, settings);
    population.SetOnGeneration([](TTSPPopulation& sender, int32_t generation, double, double) {
        if (generation % 3 == 0)
            sender.SetState(stPaused);
    });
    SetRandSeed(3);
    population.Run();
    ASSERT_EQ(population.State(), stPaused);
    EXPECT_EQ(population.Generation(), 3);

    // The panel copies every setting on resume, the size included.
    population.SetPopulationSize(1);
    EXPECT_NO_THROW(population.CheckSettings()) << "the paused population keeps its 10";
    population.SetPopulationSize(20);
    population.Run();
    EXPECT_EQ(population.State(), stPaused);
    EXPECT_EQ(population.Generation(), 6);
    EXPECT_EQ(population.ChromosomeCount(), 10);

    // An elite larger than the paused population is refused; the pause stays.
    population.SetElitism(true);
    population.SetEliteSize(15);
    EXPECT_EQ(ErrorOf([&] { population.Run(); }),
              "Размер элиты (15) не должен превышать число хромосом в популяции (10)");
    EXPECT_EQ(population.State(), stPaused);
    population.SetEliteSize(5);
    population.Run();
    EXPECT_EQ(population.Generation(), 9);

    population.Stop();
    population.Run();
    EXPECT_EQ(population.ChromosomeCount(), 20) << "a fresh run takes the new size";
    EXPECT_EQ(population.Generation(), 3);

    population.Stop();
    population.SetPopulationSize(1);
    EXPECT_NE(ErrorOf([&] { population.Run(); }), "(no error)");
    EXPECT_EQ(population.State(), stStopped);
}

TEST(Population, CreatePopulationMakesValidRoutesAndClearsTheCounters) {
    TTSPMap map;
    RandomSolvableMap(map, 4, 30, 15, 8, 20);
    map.BuildDistanceMatrix();
    TTSPPopulation population(map);
    population.SetPopulationSize(40);
    SetRandSeed(11);
    population.CreatePopulation();
    ASSERT_EQ(population.ChromosomeCount(), 40);
    double best = 1e300;
    for (int32_t i = 0; i < 40; ++i) {
        const TTSPChromosome& c = population.Chromosome(i);
        EXPECT_TRUE(map.ContainsAllSelected(c.Genes) && map.IsValidRoute(c.Genes));
        EXPECT_EQ(c.Origin, kInitialOrigin);
        TTSPChromosome copy = c;
        copy.CalcFitness(map);
        EXPECT_EQ(c.Fitness, copy.Fitness);
        best = std::min(best, c.Fitness);
    }
    EXPECT_EQ(population.BestFitness(), best);
    EXPECT_EQ(population.Chromosome(population.BestIndex()).Fitness, best);
    EXPECT_EQ(population.Generation(), 0);
    EXPECT_EQ(population.CrossoverCounter(), 0);
    EXPECT_EQ(population.MutationCounter(), 0);
    EXPECT_EQ(population.StopCounter(), 0);
}
