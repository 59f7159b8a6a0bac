// Random road walks, random valid routes and the route checks.

#include "map/TSPMap.h"

#include "core/RandomUnit.h"
#include "core/TSPErrors.h"

namespace {

// A walk restarts whenever it gets stuck. CheckTask makes sure the goal can
// be reached, so a restart always has a chance; this budget of draws only
// guards against maps whose dead ends make that chance vanishingly small.
constexpr int64_t kWalkDrawBudget = 50'000'000;

} // namespace

bool TTSPMap::HasRoad(int32_t a, int32_t b) const {
    const int32_t position = IndexOfID(a);
    if (position < 0)
        return false;
    return City(position).Roads.Exists(b);
}

void TTSPMap::RandomWalk(int32_t a, int32_t b, TIntegerArray& path) const {
    path.Clear();
    path.Add(a);
    if (a == b)
        return;

    // Membership in the path by a stamp per node rather than a scan: the
    // draws, and so the walk, are exactly those of the plain scan.
    // The stamps live in the map between walks, so that building a population
    // of routes on a large map does not clear a node-sized array per walk.
    std::vector<uint32_t>& stamp = walkStamp_;
    if (stamp.size() != cities_.size() || walkEpoch_ > 0xFFFF0000u) {
        stamp.assign(cities_.size(), 0);
        walkEpoch_ = 0;
    }
    uint32_t& epoch = walkEpoch_;
    ++epoch;
    auto inPath = [&](int32_t id) {
        const int32_t p = IndexOfID(id);
        return p >= 0 && stamp[static_cast<size_t>(p)] == epoch;
    };
    auto mark = [&](int32_t id) {
        const int32_t p = IndexOfID(id);
        if (p >= 0)
            stamp[static_cast<size_t>(p)] = epoch;
    };

    int64_t draws = 0;
    int32_t current = a;
    mark(a);
    for (;;) {
        const int32_t at = IndexOfID(current);
        const TIntegerArray* roads = at >= 0 ? &City(at).Roads : nullptr;
        bool stuck = true;
        if (roads) {
            for (int32_t next : *roads) {
                // An entry naming no node can never be walked to.
                if (IndexOfID(next) >= 0 && !inPath(next)) {
                    stuck = false;
                    break;
                }
            }
        }
        if (stuck) {
            path.Clear();
            path.Add(a);
            ++epoch;
            mark(a);
            current = a;
            if (++draws > kWalkDrawBudget)
                break;
            continue;
        }
        int32_t next;
        do {
            next = (*roads)[Rnd(roads->Count())];
            ++draws;
        } while (IndexOfID(next) < 0 || inPath(next) || next == current);
        path.Add(next);
        if (next == b)
            return;
        mark(next);
        current = next;
        if (draws > kWalkDrawBudget)
            break;
    }
    const int32_t from = IndexOfID(a);
    const int32_t to = IndexOfID(b);
    throw ETSPError("Не удалось проложить маршрут по дорогам от города \"" +
                    (from >= 0 ? City(from).Name : std::to_string(a)) + "\" до города \"" +
                    (to >= 0 ? City(to).Name : std::to_string(b)) +
                    "\": на карте слишком много тупиков. Добавьте дороги.");
}

void TTSPMap::RandomRoute(TIntegerArray& route) const {
    TIntegerArray order = selected_;
    const int32_t k = order.Count();
    route.Clear();

    const int32_t exchanges = Rnd(k) + 1;
    for (int32_t n = 0; n < exchanges; ++n) {
        const int32_t i = Rnd(k - 2);
        const int32_t j = Rnd(k - 2);
        // With k = 2 this swaps the last entry with itself; below 2 there is
        // nothing to exchange.
        if (k >= 2)
            std::swap(order[i + 1], order[j + 1]);
    }

    TIntegerArray walk;
    for (int32_t p = 0; p + 1 < k; ++p) {
        RandomWalk(order[p], order[p + 1], walk);
        for (int32_t w = route.Count() == 0 ? 0 : 1; w < walk.Count(); ++w)
            route.Add(walk[w]);
    }
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
