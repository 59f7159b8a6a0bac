// Random valid routes and the route checks.

#include "map/TSPMap.h"

#include "core/ProgressPoll.h"
#include "core/RandomUnit.h"

bool TTSPMap::HasRoad(int32_t a, int32_t b) const {
    const int32_t position = IndexOfID(a);
    if (position < 0)
        return false;
    return City(position).Roads.Exists(b);
}

void TTSPMap::RandomWalk(int32_t a, int32_t b, TIntegerArray& path) const {
    RandomWalk(a, b, path, SharedRandom());
}

bool TTSPMap::RandomRoute(TIntegerArray& route, TRandom& random, TProgressPoll* poll) const {
    TIntegerArray order = selected_;
    const int32_t k = order.Count();
    route.Clear();

    const int32_t exchanges = random.Rnd(k) + 1;
    for (int32_t n = 0; n < exchanges; ++n) {
        const int32_t i = random.Rnd(k - 2);
        const int32_t j = random.Rnd(k - 2);
        // With k = 2 this swaps the last entry with itself; below 2 there is
        // nothing to exchange.
        if (k >= 2)
            std::swap(order[i + 1], order[j + 1]);
    }

    TIntegerArray walk;
    std::vector<int32_t>& genes = route.Items();
    for (int32_t p = 0; p + 1 < k; ++p) {
        if (!RandomWalk(order[p], order[p + 1], walk, random, poll))
            return false;
        // Each walk after the first starts where the route ends.
        const std::vector<int32_t>& steps = walk.Items();
        genes.insert(genes.end(), steps.begin() + (genes.empty() ? 0 : 1), steps.end());
        if (poll && !poll->Advance())
            return false;
    }
    return true;
}

void TTSPMap::RandomRoute(TIntegerArray& route) const {
    RandomRoute(route, SharedRandom());
}

bool TTSPMap::ContainsAllSelected(const TIntegerArray& route) const {
    for (int32_t id : selected_)
        if (!route.Exists(id))
            return false;
    return true;
}

bool TTSPMap::IsValidRoute(const TIntegerArray& route) const {
    if (route.GetItem(0) != selected_.GetItem(0))
        return false;
    if (route.GetItem(route.Count() - 1) != selected_.GetItem(selected_.Count() - 1))
        return false;
    for (int32_t i = 0; i + 1 < route.Count(); ++i)
        if (!HasRoad(route[i], route[i + 1]))
            return false;
    return true;
}
