// One route: checked gene access, its length on the distance table, its text.

#include "solver/AlgorithmGetetic.h"

#include "SolverTestMaps.h"
#include "core/TSPErrors.h"

#include <gtest/gtest.h>

using namespace solver_test;
using solver::TTSPChromosome;

namespace {

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ETSPError& error) {
        return error.what();
    }
    return "(no error)";
}

} // namespace

TEST(Chromosome, StartsEmptyWithOriginZero) {
    TTSPChromosome chromosome;
    EXPECT_EQ(chromosome.Count(), 0);
    EXPECT_EQ(chromosome.Fitness, 0);
    EXPECT_EQ(chromosome.Origin, 0);
}

TEST(Chromosome, GeneAccessOutsideTheRouteRaisesTheIndexMessage) {
    TTSPChromosome chromosome;
    chromosome.Genes = Route({4, 5, 6});
    EXPECT_EQ(chromosome.GetElement(2), 6);
    chromosome.SetElement(0, 9);
    EXPECT_EQ(chromosome.GetElement(0), 9);
    EXPECT_EQ(ErrorOf([&] { chromosome.GetElement(3); }),
              "Неправильный индекс при обращении к _TTSPChromosome.GetElement (3). Индекс "
              "должен лежать в диапазоне от 0 до 3");
    EXPECT_EQ(ErrorOf([&] { chromosome.SetElement(-1, 0); }),
              "Неправильный индекс при обращении к _TTSPChromosome.SetElement (-1). Индекс "
              "должен лежать в диапазоне от 0 до 3");
    EXPECT_EQ(chromosome.Genes, Route({9, 5, 6}));
}

TEST(Chromosome, LengthIsTheSumOfTheTableDistances) {
    TTSPMap map;
    BuildMap(map, {{0, 0}, {3, 4}, {6, 8}}, {{0, 1}, {1, 2}}, {0, 2});
    map.BuildDistanceMatrix();
    TTSPChromosome chromosome;
    chromosome.Genes = Route({0, 1, 0});
    chromosome.CalcFitness(map);
    EXPECT_DOUBLE_EQ(chromosome.Fitness, 10); // there and back: 2d
    chromosome.Genes = Route({0, 1, 2});
    chromosome.CalcFitness(map);
    EXPECT_EQ(chromosome.Fitness, map.GetPath(0, 1) + map.GetPath(1, 2));
    chromosome.Genes = Route({1});
    chromosome.CalcFitness(map);
    EXPECT_EQ(chromosome.Fitness, 0);
    chromosome.Genes = Route({});
    chromosome.CalcFitness(map);
    EXPECT_EQ(chromosome.Fitness, 0);
}

TEST(Chromosome, LengthOfAGeneTheTableDoesNotCoverRaisesTheGetPathError) {
    TTSPMap map;
    BuildMap(map, {{0, 0}, {3, 4}, {6, 8}}, {{0, 1}, {1, 2}}, {0, 2});
    map.BuildDistanceMatrix();
    TTSPChromosome chromosome;
    chromosome.Fitness = 77;
    chromosome.Genes = Route({0, 1, -1});
    EXPECT_NE(ErrorOf([&] { chromosome.CalcFitness(map); }).find("TTSPMap.GetPath(Index2)"),
              std::string::npos);
    // A node added after the table was built (as during a pause).
    TCity city;
    city.ID = 3;
    map.AddCity(city);
    chromosome.Genes = Route({3, 1});
    EXPECT_NE(ErrorOf([&] { chromosome.CalcFitness(map); }).find("TTSPMap.GetPath(Index1)"),
              std::string::npos);
    EXPECT_EQ(chromosome.Fitness, 77) << "a failed evaluation leaves the length";
}

TEST(Chromosome, TextJoinsTheNodeNamesWithHyphens) {
    TTSPMap map;
    BuildMap(map, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}, {}, {0, 1}, {"A", "B", "C", "D"});
    TTSPChromosome chromosome;
    EXPECT_EQ(chromosome.ToText(map), "");
    chromosome.Genes = Route({0, 3, 1});
    EXPECT_EQ(chromosome.ToText(map), "A-D-B");
    chromosome.Genes = Route({0, -1, 2});
    EXPECT_EQ(chromosome.ToText(map), "A-x-C");
    chromosome.Genes = Route({2});
    EXPECT_EQ(chromosome.ToText(map), "C");
    // A node deleted while the run was paused has no name either.
    chromosome.Genes = Route({0, 7});
    EXPECT_EQ(chromosome.ToText(map), "A-x");
}
