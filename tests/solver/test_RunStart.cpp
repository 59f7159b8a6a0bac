// The start of a fresh run: progress reports, stopping a start from its
// progress handler, the memory estimate and the refusal of a start that
// would need too much, and generators of the population's own.

#include "solver/AlgorithmGetetic.h"
#include "solver/SolverSettings.h"

#include "SolverTestMaps.h"
#include "core/TSPErrors.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace solver_test;
using namespace solver;

namespace {

struct Report {
    TStartStage stage;
    int64_t done;
    int64_t total;
};

// A sparse map whose routes are long walks: 300 nodes, 3 % of the pairs
// joined, 40 selected cities.
const TTSPMap& LongRoutesMap() {
    static const TTSPMap map = [] {
        TTSPMap made;
        RandomSolvableMap(made, 31, 300, 3, 40);
        return made;
    }();
    return map;
}

std::vector<std::vector<int32_t>> Routes(const TTSPPopulation& population) {
    std::vector<std::vector<int32_t>> routes;
    for (int32_t i = 0; i < population.ChromosomeCount(); ++i)
        routes.push_back(population.Chromosome(i).Genes.Items());
    return routes;
}

// Runs one generation of a fresh population of `size` from `seed`.
TTSPPopulation& OneGeneration(TTSPPopulation& population, int32_t size, uint32_t seed) {
    TSolverSettings settings;
    settings.PopulationSize = size;
    settings.StopCriterion = scGenerations;
    settings.StopGenerations = 1;
    ApplySettings(population, settings);
    SetRandSeed(seed);
    population.Run();
    return population;
}

} // namespace

TEST(RunStart, ProgressReportsBothStagesAndChangesNoDraw) {
    TTSPMap map = LongRoutesMap();
    TTSPPopulation plain(map);
    OneGeneration(plain, 30, 5);
    const uint32_t plainSeed = RandSeed();

    map.SetCityPosition(0, map.City(0).X, map.City(0).Y); // the table is built again
    TTSPPopulation watched(map);
    std::vector<Report> reports;
    // Interval zero: a report whenever the start looks at the clock.
    watched.SetOnStartProgress(
        [&](TTSPPopulation&, TStartStage stage, int64_t done, int64_t total) {
            reports.push_back({stage, done, total});
        },
        std::chrono::steady_clock::duration::zero());
    OneGeneration(watched, 30, 5);

    EXPECT_EQ(Routes(watched), Routes(plain));
    EXPECT_EQ(watched.CrossoverCounter(), plain.CrossoverCounter());
    EXPECT_EQ(RandSeed(), plainSeed);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front().stage, TStartStage::DistanceMatrix);
    EXPECT_EQ(reports.front().total, 300);
    EXPECT_EQ(reports.back().stage, TStartStage::Routes);
    EXPECT_EQ(reports.back().total, 30 * 39); // one unit per walk between selected cities
    for (size_t i = 1; i < reports.size(); ++i) {
        if (reports[i].stage == reports[i - 1].stage) {
            EXPECT_GE(reports[i].done, reports[i - 1].done);
        }
        EXPECT_LE(reports[i].done, reports[i].total);
    }
}

TEST(RunStart, AStopInTheProgressHandlerLeavesEverythingAsItWas) {
    TTSPMap map = LongRoutesMap();
    TTSPPopulation population(map);
    OneGeneration(population, 20, 7);
    ASSERT_EQ(population.State(), stFinished);
    const auto routesBefore = Routes(population);
    const double distanceBefore = map.GetPath(0, 1);
    // The next start would build the table again: node 0 has moved.
    map.SetCityPosition(0, map.City(0).X + 50, map.City(0).Y);

    for (TStartStage stopAt : {TStartStage::DistanceMatrix, TStartStage::Routes}) {
        SCOPED_TRACE(static_cast<int>(stopAt));
        int reports = 0;
        population.SetOnStartProgress(
            [&](TTSPPopulation& sender, TStartStage stage, int64_t done, int64_t) {
                ++reports;
                if (stage == stopAt) {
                    // The stop comes in the middle of the first route, whose
                    // walks are thousands of steps.
                    if (stage == TStartStage::Routes) {
                        EXPECT_LT(done, 39);
                    }
                    sender.Stop();
                }
            },
            std::chrono::steady_clock::duration::zero());
        population.SetPopulationSize(20);
        SetRandSeed(11);
        population.Run();
        EXPECT_GT(reports, 0);
        EXPECT_EQ(population.State(), stStopped);
        EXPECT_EQ(RandSeed(), 11u);
        EXPECT_EQ(Routes(population), routesBefore);
        EXPECT_EQ(population.Generation(), 1);
        EXPECT_EQ(map.GetPath(0, 1), distanceBefore);
    }

    // The stopped starts drew nothing: a start now is the start from seed 11.
    population.SetOnStartProgress({});
    OneGeneration(population, 20, 11);
    TTSPPopulation fresh(map);
    OneGeneration(fresh, 20, 11);
    EXPECT_EQ(Routes(population), Routes(fresh));
    EXPECT_NE(map.GetPath(0, 1), distanceBefore);
}

TEST(RunStart, ARunFromInsideTheProgressHandlerReturnsAtOnce) {
    TTSPMap map = LongRoutesMap();
    TTSPPopulation population(map);
    int nested = 0;
    population.SetOnStartProgress(
        [&](TTSPPopulation& sender, TStartStage, int64_t, int64_t) {
            EXPECT_EQ(sender.State(), stRunning);
            sender.Run(); // what a second Start pressed during the start does
            ++nested;
        },
        std::chrono::steady_clock::duration::zero());
    OneGeneration(population, 10, 3);
    EXPECT_GT(nested, 0);
    EXPECT_EQ(population.Generation(), 1);
    EXPECT_EQ(population.State(), stFinished);
}

TEST(RunStart, MemoryEstimateMeasuresTheFirstRoutesWithoutDrawing) {
    TTSPMap map = LongRoutesMap();
    TTSPPopulation population(map);
    population.SetPopulationSize(200);
    SetRandSeed(21);
    const TStartMemory estimate = population.EstimateStartMemory();
    EXPECT_EQ(RandSeed(), 21u);
    EXPECT_TRUE(estimate.Sampled);
    EXPECT_EQ(estimate.MatrixBytes, 300 * 300 * 8);

    map.BuildDistanceMatrix();
    population.CreatePopulation();
    double genes = 0;
    for (int32_t i = 0; i < population.ChromosomeCount(); ++i)
        genes += population.Chromosome(i).Count();
    const double mean = genes / population.ChromosomeCount();
    EXPECT_NEAR(estimate.GenesPerRoute, mean, 0.25 * mean);
    // Four bytes a gene and some tens of bytes a chromosome.
    EXPECT_GT(estimate.PopulationBytes, 0.7 * (4 * genes + 200 * 50));
    EXPECT_LT(estimate.PopulationBytes, 1.4 * (4 * genes + 200 * 100));
}

TEST(RunStart, APopulationBeyondTheMemoryLimitIsRefusedBeforeAnythingChanges) {
    // 150 selected cities: routes of some 14,000 genes, 1.8 GB for 32,767.
    TTSPMap map;
    RandomSolvableMap(map, 31, 300, 3, 150);
    TTSPPopulation population(map);
    population.SetPopulationSize(32767);
    SetRandSeed(4);
    try {
        population.Run();
        FAIL() << "the start was not refused";
    } catch (const ETSPError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("Для популяции нужно около ", 0), 0u) << message;
        EXPECT_NE(message.find(" ГБ памяти, больше допустимых 1 ГБ. Уменьшите число хромосом."),
                  std::string::npos)
            << message;
    }
    EXPECT_EQ(population.State(), stStopped);
    EXPECT_EQ(population.ChromosomeCount(), 0);
    EXPECT_EQ(RandSeed(), 4u);
    EXPECT_FALSE(map.MatrixBuilt());

    // A population that fits starts.
    population.SetPopulationSize(100);
    EXPECT_NO_THROW(population.CheckStartMemory());
}

TEST(RunStart, APopulationWithItsOwnGeneratorLeavesTheSharedOneAlone) {
    TTSPMap map;
    RandomSolvableMap(map, 41, 25, 60, 10);
    TTSPPopulation shared(map);
    OneGeneration(shared, 40, 8);

    SetRandSeed(99);
    TRandom own(8);
    TTSPPopulation separate(map);
    separate.SetRandom(own);
    TSolverSettings settings;
    settings.PopulationSize = 40;
    settings.StopCriterion = scGenerations;
    settings.StopGenerations = 1;
    ApplySettings(separate, settings);
    separate.Run();
    EXPECT_EQ(Routes(separate), Routes(shared));
    EXPECT_EQ(RandSeed(), 99u);
}
