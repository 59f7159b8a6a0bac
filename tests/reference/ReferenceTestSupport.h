#pragma once
// Independent yardsticks for the reference route: the shortest route by
// brute force over every order of the selected cities (Floyd-Warshall for
// the road distances), and the checks every reported route must pass.

#include "map/TSPMap.h"
#include "reference/ReferenceSolver.h"
#include "solver/AlgorithmGetetic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace reference_test {

// The shortest route through the map's selection, trying every order of the
// distinct selected cities between the first and the last.
inline double BruteForceLength(const TTSPMap& map) {
    const int32_t n = map.Count();
    const double infinity = std::numeric_limits<double>::infinity();
    std::vector<double> d(static_cast<size_t>(n * n), infinity);
    auto at = [&](int32_t a, int32_t b) -> double& { return d[static_cast<size_t>(a * n + b)]; };
    for (int32_t a = 0; a < n; ++a) {
        at(a, a) = 0;
        for (int32_t b : map.City(a).Roads)
            if (b != a)
                at(a, b) = std::min(at(a, b), NodeDistance(map.City(a), map.City(b)));
    }
    for (int32_t k = 0; k < n; ++k)
        for (int32_t a = 0; a < n; ++a)
            for (int32_t b = 0; b < n; ++b)
                at(a, b) = std::min(at(a, b), at(a, k) + at(k, b));

    const TIntegerArray& selection = map.SelectedCities();
    const int32_t first = selection[0];
    const int32_t last = selection[selection.Count() - 1];
    std::vector<int32_t> inner;
    for (int32_t id : selection)
        if (id != first && id != last && std::find(inner.begin(), inner.end(), id) == inner.end())
            inner.push_back(id);
    std::sort(inner.begin(), inner.end());
    double best = infinity;
    do {
        double length = 0;
        int32_t from = first;
        for (int32_t id : inner) {
            length += at(from, id);
            from = id;
        }
        best = std::min(best, length + at(from, last));
    } while (std::next_permutation(inner.begin(), inner.end()));
    return best;
}

// The route passes the map's own checks, and its length is what the solver
// would compute as the fitness of a chromosome with these genes.
inline void ExpectSolverAccepts(TTSPMap& map, const reference::TReferenceResult& result) {
    TIntegerArray route;
    for (int32_t id : result.RouteIds)
        route.Add(id);
    ASSERT_GT(route.Count(), 0);
    EXPECT_TRUE(map.IsValidRoute(route));
    EXPECT_TRUE(map.ContainsAllSelected(route));
    map.BuildDistanceMatrix();
    solver::TTSPChromosome chromosome;
    chromosome.Genes = route;
    chromosome.CalcFitness(map);
    EXPECT_NEAR(result.Length, chromosome.Fitness, 1e-9 * std::max(1.0, chromosome.Fitness));
}

// Drops the reverse entry of about every third road, so that many roads
// become one-way; keeps the map only while its task stays solvable.
inline void MakeRoadsOneWay(TTSPMap& map, uint32_t seed) {
    TTSPMap oneWay;
    for (int32_t p = 0; p < map.Count(); ++p) {
        TCity city = map.GetCity(p);
        city.Roads.Clear();
        for (int32_t to : map.City(p).Roads)
            if (to < p || (static_cast<uint32_t>(p * 31 + to * 17) + seed) % 3 != 0)
                city.Roads.Add(to);
        oneWay.AddCity(city);
    }
    oneWay.SetSelection(map.SelectedCities());
    try {
        oneWay.CheckTask();
        map = oneWay;
    } catch (const std::exception&) {
    }
}

} // namespace reference_test
