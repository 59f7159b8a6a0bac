// Whole runs whose outcome was recorded from an earlier build of the solver:
// the best length to the last bit, the generations, crossovers, mutations,
// kind counts, the best route and the generator's state afterwards. Any
// change to the draws or to the order of the solver's steps shows here even
// where the reference solver would change along with it (random maps, random
// routes). With TRASOLAN_GOLDEN_PRINT set the test prints the figures of the
// current build in the form of the table below.

#include "solver/AlgorithmGetetic.h"
#include "solver/SolverSettings.h"

#include "SolverTestMaps.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace solver_test;
using namespace solver;

namespace {

// FNV-1a over the genes: the route in one number.
uint64_t RouteHash(const TIntegerArray& genes) {
    uint64_t hash = 14695981039346656037ull;
    for (int32_t gene : genes) {
        hash ^= static_cast<uint32_t>(gene);
        hash *= 1099511628211ull;
    }
    return hash;
}

uint64_t BytesHash(const std::string& bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

enum class MapKind { Dense25, Sparse300 };

struct GoldenSetup {
    const char* name;
    MapKind map;
    uint32_t seed;
    void (*configure)(TSolverSettings&);
};

struct GoldenOutcome {
    double best;
    int32_t generations, crossovers, mutations;
    std::array<int32_t, 5> kindTotal, kindCurrent;
    int32_t routeGenes;
    uint64_t routeHash;
    uint32_t seedAfter;
};

void Defaults(TSolverSettings&) {}
void Elitist(TSolverSettings& s) {
    s.Elitism = true;
    s.EliteSize = 50;
}
void Tournament(TSolverSettings& s) {
    s.SelectionKind = skTournament;
}
void UniformSelection(TSolverSettings& s) {
    s.SelectionKind = skRandom;
}
void FixedKind(TSolverSettings& s, uint8_t kind) {
    s.AdaptiveChoice = false;
    s.CrossoverKind = kind;
}
void OnlyOP(TSolverSettings& s) {
    FixedKind(s, ckOP);
}
void OnlyPMX(TSolverSettings& s) {
    FixedKind(s, ckPMX);
}
void OnlyTriangle(TSolverSettings& s) {
    FixedKind(s, ckTriangle);
}
void OnlySOP(TSolverSettings& s) {
    FixedKind(s, ckSOP);
}
void OnlyCUBX(TSolverSettings& s) {
    FixedKind(s, ckCUBX);
}
void InverseOnly(TSolverSettings& s) {
    s.MutationKind = mkInverse;
    s.MutationRate = 0.6;
}

const TTSPMap& GoldenMap(MapKind kind) {
    static const TTSPMap dense = [] {
        TTSPMap map;
        RandomSolvableMap(map, 11, 25, 75, 25);
        return map;
    }();
    static const TTSPMap sparse = [] {
        TTSPMap map;
        RandomSolvableMap(map, 12, 300, 3, 40);
        return map;
    }();
    return kind == MapKind::Dense25 ? dense : sparse;
}

const GoldenSetup kSetups[] = {
    {"defaults 1", MapKind::Dense25, 1, Defaults},
    {"defaults 2", MapKind::Dense25, 2, Defaults},
    {"defaults 3", MapKind::Dense25, 3, Defaults},
    {"elitist 1", MapKind::Dense25, 1, Elitist},
    {"elitist 2", MapKind::Dense25, 2, Elitist},
    {"tournament 1", MapKind::Dense25, 1, Tournament},
    {"tournament 2", MapKind::Dense25, 2, Tournament},
    {"uniform 1", MapKind::Dense25, 1, UniformSelection},
    {"uniform 2", MapKind::Dense25, 2, UniformSelection},
    {"OP", MapKind::Dense25, 4, OnlyOP},
    {"PMX", MapKind::Dense25, 4, OnlyPMX},
    {"Triangle", MapKind::Dense25, 4, OnlyTriangle},
    {"SOP", MapKind::Dense25, 4, OnlySOP},
    {"CUBX", MapKind::Dense25, 4, OnlyCUBX},
    {"inverse", MapKind::Dense25, 5, InverseOnly},
    {"sparse defaults 1", MapKind::Sparse300, 1, Defaults},
    {"sparse defaults 2", MapKind::Sparse300, 2, Defaults},
    {"sparse elitist", MapKind::Sparse300, 3, Elitist},
    {"sparse tournament", MapKind::Sparse300, 4, Tournament},
    {"sparse CUBX", MapKind::Sparse300, 5, OnlyCUBX},
};

// clang-format off
const std::vector<GoldenOutcome> kOutcomes = {
    {0x1.a81dc4ba0b80ap+11, 982, 39303, 2299, {452, 91, 420, 5183, 24}, {0, 1, 0, 98, 1}, 25, 0x233f8824e3530d35ull, 3191016762u},
    {0x1.73737c839aea1p+11, 617, 24796, 1525, {3043, 67, 85, 2699, 11}, {87, 0, 0, 13, 0}, 26, 0xf6973307ac632166ull, 3688381492u},
    {0x1.025ce034eecb2p+12, 534, 21304, 1133, {3178, 39, 397, 150, 20}, {99, 1, 0, 0, 0}, 25, 0x9e1a27e0e907aa65ull, 1357501877u},
    {0x1.005bdf0b4cde7p+12, 290, 283969, 17130, {5567, 0, 0, 0, 0}, {100, 0, 0, 0, 0}, 25, 0x20975d37f3025119ull, 3430725161u},
    {0x1.f0b59e7329a1fp+11, 275, 269394, 16761, {4528, 0, 0, 0, 0}, {100, 0, 0, 0, 0}, 25, 0xbdf3fc4d83651c6full, 3216505120u},
    {0x1.c0751d0bba321p+11, 937, 37619, 2066, {2550, 78, 202, 3031, 113}, {58, 0, 0, 42, 0}, 25, 0x19915c3edb7f61abull, 3909214554u},
    {0x1.bd0361083b0eep+11, 656, 26406, 1571, {876, 51, 85, 4153, 11}, {76, 1, 0, 23, 0}, 25, 0xe702d26022cb5113ull, 3295819720u},
    {0x1.e52c17d08f6b7p+11, 666, 26600, 1374, {132, 60, 416, 4655, 432}, {3, 1, 0, 96, 0}, 25, 0x7afefa50bbdb5bafull, 1273429422u},
    {0x1.b782bf209539dp+11, 643, 25886, 1449, {1328, 52, 126, 5103, 33}, {60, 1, 0, 39, 0}, 25, 0x94180dadfe484bcbull, 3655802066u},
    {0x1.cbc22d7ab2265p+11, 654, 26084, 1606, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, 25, 0x10e23654c2463c37ull, 4213689808u},
    {0x1.c47865ccaff0ap+11, 1396, 55947, 1491, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, 25, 0x2c03fb355098797full, 3585440318u},
    {0x1.b37b4e3ca7f9ep+11, 1462, 58456, 1065, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, 27, 0x7c20c13939411932ull, 2148745567u},
    {0x1.df296de6cd042p+11, 836, 33381, 2035, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, 25, 0x75f494c5834ff6cbull, 3756952141u},
    {0x1.a6aee7627b058p+11, 2019, 80754, 633, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, 32, 0x6c0b1cfca59ab9f1ull, 3300456435u},
    {0x1.2272268fd56bcp+12, 838, 33538, 1026, {2294, 38, 56, 1180, 205}, {30, 0, 0, 69, 1}, 25, 0x7e0b82bee69fb601ull, 3928132599u},
    {0x1.9f2df3ebe100ap+16, 376, 15060, 27, {1792, 12, 0, 141, 0}, {83, 0, 0, 17, 0}, 331, 0xb2acc544edfa9fd2ull, 3974921387u},
    {0x1.3a7075d241903p+16, 1514, 60668, 150, {2913, 20, 2, 71, 0}, {97, 0, 1, 2, 0}, 275, 0xc8cd66f6ed340c3ull, 3961951003u},
    {0x1.9c4aeec4d0285p+15, 680, 666010, 2401, {5792, 0, 0, 0, 0}, {100, 0, 0, 0, 0}, 158, 0xb1b8036db1f034abull, 1463366558u},
    {0x1.42c34f698ba88p+16, 1596, 63772, 171, {510, 42, 3, 2564, 0}, {3, 0, 0, 97, 0}, 267, 0x59633d09cd5cd817ull, 2546205886u},
    {0x1.8e18208a6bbeap+19, 250, 9975, 0, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, 2528, 0x750e4607585d2840ull, 4178802895u},
};
// clang-format on

void PrintOutcome(const TTSPPopulation& p, uint32_t seedAfter) {
    const TTSPChromosome& best = p.Chromosome(p.BestIndex());
    auto five = [](const std::array<int32_t, 5>& v) {
        std::string text = "{";
        for (size_t i = 0; i < v.size(); ++i)
            text += (i ? ", " : "") + std::to_string(v[i]);
        return text + "}";
    };
    std::printf("    {%a, %d, %d, %d, %s, %s, %d, 0x%llxull, %uu},\n", p.BestFitness(),
                p.Generation(), p.CrossoverCounter(), p.MutationCounter(),
                five(p.KindTotal()).c_str(), five(p.KindCurrent()).c_str(), best.Count(),
                static_cast<unsigned long long>(RouteHash(best.Genes)), seedAfter);
}

} // namespace

TEST(GoldenRuns, WholeRunsGiveTheRecordedOutcome) {
    const bool print = std::getenv("TRASOLAN_GOLDEN_PRINT") != nullptr;
    ASSERT_TRUE(print || std::size(kSetups) == kOutcomes.size());
    for (size_t i = 0; i < std::size(kSetups); ++i) {
        const GoldenSetup& setup = kSetups[i];
        SCOPED_TRACE(setup.name);
        TTSPMap map = GoldenMap(setup.map);
        TSolverSettings settings;
        setup.configure(settings);
        TTSPPopulation population(map);
        ApplySettings(population, settings);
        SetRandSeed(setup.seed);
        population.Run();
        const uint32_t seedAfter = RandSeed();
        if (print) {
            PrintOutcome(population, seedAfter);
            continue;
        }
        const GoldenOutcome& expected = kOutcomes[i];
        const TTSPChromosome& best = population.Chromosome(population.BestIndex());
        EXPECT_EQ(population.BestFitness(), expected.best);
        EXPECT_EQ(population.Generation(), expected.generations);
        EXPECT_EQ(population.CrossoverCounter(), expected.crossovers);
        EXPECT_EQ(population.MutationCounter(), expected.mutations);
        EXPECT_EQ(population.KindTotal(), expected.kindTotal);
        EXPECT_EQ(population.KindCurrent(), expected.kindCurrent);
        EXPECT_EQ(best.Count(), expected.routeGenes);
        EXPECT_EQ(RouteHash(best.Genes), expected.routeHash);
        EXPECT_EQ(seedAfter, expected.seedAfter);
    }
}

// The random map generator and the file it writes: a dense map of many roads
// and a sparse one on a ring.
TEST(GoldenRuns, GeneratedMapsGiveTheRecordedFiles) {
    const bool print = std::getenv("TRASOLAN_GOLDEN_PRINT") != nullptr;
    struct MapCase {
        int32_t count, roadShare;
        bool ring;
        uint32_t seed;
        uint64_t bytesHash;
        uint32_t seedAfter;
    };
    const MapCase cases[] = {
        {700, 50, false, 5, 0x2c72d84d89a1a8fcull, 293215007u},
        {300, 3, true, 6, 0xf41a05105daf641ull, 3189529908u},
    };
    for (const MapCase& c : cases) {
        TRandomMapSettings settings;
        settings.Count = c.count;
        settings.RoadShare = c.roadShare;
        settings.Ring = c.ring;
        TTSPMap map;
        TDisplayFlags flags;
        GenerateRandomMap(map, settings, flags, c.seed);
        const uint32_t seedAfter = RandSeed();
        const uint64_t hash = BytesHash(map.SaveToBytes(flags));
        if (print) {
            std::printf("        {%d, %d, %s, %u, 0x%llxull, %uu},\n", c.count, c.roadShare,
                        c.ring ? "true" : "false", c.seed, static_cast<unsigned long long>(hash),
                        seedAfter);
            continue;
        }
        EXPECT_EQ(hash, c.bytesHash) << c.count;
        EXPECT_EQ(seedAfter, c.seedAfter) << c.count;
    }
}

// Random routes as an initial population draws them: on a large sparse map, where the road
// walks are long and often get stuck, and on a map whose IDs are not its
// positions (a hand-edited file), where the walk looks nodes up by ID.
TEST(GoldenRuns, InitialPopulationsGiveTheRecordedRoutes) {
    const bool print = std::getenv("TRASOLAN_GOLDEN_PRINT") != nullptr;
    TTSPMap large;
    RandomSolvableMap(large, 13, 1000, 2, 200);
    TTSPMap renumbered;
    RandomSolvableMap(renumbered, 14, 60, 8, 12);
    {
        // The same roads under IDs counted down from 1000.
        TTSPMap copy;
        for (const TCity& city : renumbered.Cities()) {
            TCity moved = city;
            moved.ID = 1000 - city.ID;
            moved.Roads.Clear();
            for (int32_t to : city.Roads)
                moved.Roads.Add(1000 - to);
            copy.AddCity(moved);
        }
        TIntegerArray selection;
        for (int32_t id : renumbered.SelectedCities())
            selection.Add(1000 - id);
        copy.SetSelection(selection);
        renumbered = copy;
    }
    struct PopulationCase {
        TTSPMap* map;
        int32_t size;
        uint32_t seed;
        uint64_t routesHash;
        uint32_t seedAfter;
    };
    const PopulationCase cases[] = {
        {&large, 10, 21, 0xab800bb1968b2135ull, 2397512166u},
        {&renumbered, 50, 22, 0xa8b4399c7d3767d3ull, 4242373999u},
    };
    for (const PopulationCase& c : cases) {
        SetRandSeed(c.seed);
        uint64_t hash = 0;
        TIntegerArray route;
        for (int32_t i = 0; i < c.size; ++i) {
            c.map->RandomRoute(route);
            hash = hash * 31 + RouteHash(route);
        }
        const uint32_t seedAfter = RandSeed();
        if (print) {
            std::printf("        {&?, %d, %u, 0x%llxull, %uu},\n", c.size, c.seed,
                        static_cast<unsigned long long>(hash), seedAfter);
            continue;
        }
        EXPECT_EQ(hash, c.routesHash) << c.size;
        EXPECT_EQ(seedAfter, c.seedAfter) << c.size;
    }
}
