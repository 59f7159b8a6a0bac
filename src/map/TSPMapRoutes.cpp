// Random road walks, random valid routes and the route checks.

#include "map/TSPMap.h"

#include "core/ProgressPoll.h"
#include "core/RandomUnit.h"
#include "core/TSPErrors.h"

namespace {

// A walk restarts whenever it gets stuck. CheckTask makes sure the goal can
// be reached, so a restart always has a chance; this budget of draws only
// guards against maps whose dead ends make that chance vanishingly small.
constexpr int64_t kWalkDrawBudget = 50'000'000;

// Draws a walk step makes on a copy of the generator before it scans the
// current node's roads for a free one.
constexpr int kTrialDraws = 4;

// Draws the next node of a walk from `roads` into `next`, counting the draws
// in `made`; false when no entry is free (the node is stuck).
template <typename IsFree>
bool DrawFreeRoad(const TIntegerArray& roads, TRandom& random, const IsFree& isFree, int32_t& next,
                  int64_t& made) {
    // The plain walk first scans the list for a free entry, then draws
    // entries until it meets one. Drawing first, on a copy of the generator,
    // makes exactly those draws whenever a free entry turns up; only when a
    // few draws meet none is the list scanned, and if it has no free entry
    // the copy is thrown away: a stuck node draws nothing.
    const int32_t degree = roads.Count();
    if (degree == 0)
        return false;
    TRandom trial = random;
    made = 0;
    for (int t = 0; t < kTrialDraws; ++t) {
        const int32_t candidate = roads[trial.Rnd(degree)];
        ++made;
        if (isFree(candidate)) {
            next = candidate;
            random = trial;
            return true;
        }
    }
    bool anyFree = false;
    for (int32_t id : roads)
        if (isFree(id)) {
            anyFree = true;
            break;
        }
    if (!anyFree)
        return false;
    int32_t candidate;
    do {
        candidate = roads[trial.Rnd(degree)];
        ++made;
    } while (!isFree(candidate));
    next = candidate;
    random = trial;
    return true;
}

} // namespace

bool TTSPMap::HasRoad(int32_t a, int32_t b) const {
    const int32_t position = IndexOfID(a);
    if (position < 0)
        return false;
    return City(position).Roads.Exists(b);
}

uint32_t TTSPMap::NextWalkEpoch() const {
    // The stamps live in the map between walks, so that building a population
    // of routes on a large map does not clear a node-sized array per walk;
    // they are cleared only when the epoch would wrap round.
    if (walkStamp_.size() != cities_.size() || walkEpoch_ == UINT32_MAX) {
        walkStamp_.assign(cities_.size(), 0);
        walkEpoch_ = 0;
    }
    return ++walkEpoch_;
}

bool TTSPMap::RandomWalk(int32_t a, int32_t b, TIntegerArray& path, TRandom& random,
                         TProgressPoll* poll) const {
    path.Clear();
    path.Add(a);
    if (a == b)
        return true;
    if (idsArePositions_) {
        const uint32_t count = static_cast<uint32_t>(Count());
        return WalkSteps(a, b, path, random, poll, [count](int32_t id) {
            return static_cast<uint32_t>(id) < count ? id : -1;
        });
    }
    return WalkSteps(a, b, path, random, poll, [this](int32_t id) { return IndexOfID(id); });
}

template <typename Locate>
bool TTSPMap::WalkSteps(int32_t a, int32_t b, TIntegerArray& path, TRandom& random,
                        TProgressPoll* poll, const Locate& locate) const {
    // Membership in the path by a stamp per node rather than a scan: the
    // draws, and so the walk, are exactly those of the plain scan.
    uint32_t epoch = NextWalkEpoch();
    uint32_t* stamp = walkStamp_.data();
    // A node can be walked to when it exists and is not yet in the path (the
    // current node is in the path, so a road to itself is never taken).
    auto isFree = [&](int32_t id) {
        const int32_t p = locate(id);
        return p >= 0 && stamp[p] != epoch;
    };
    auto mark = [&](int32_t id) {
        const int32_t p = locate(id);
        if (p >= 0)
            stamp[p] = epoch;
    };

    int64_t draws = 0;
    int32_t current = a;
    mark(a);
    for (;;) {
        if (poll && !poll->Poll())
            return false;
        const int32_t at = locate(current);
        int32_t next = 0;
        int64_t made = 0;
        if (at < 0 || !DrawFreeRoad(City(at).Roads, random, isFree, next, made)) {
            // Stuck: every entry is in the path (or there is none). The walk
            // starts again from a, with no draw made.
            path.Clear();
            path.Add(a);
            epoch = NextWalkEpoch();
            stamp = walkStamp_.data();
            mark(a);
            current = a;
            if (++draws > kWalkDrawBudget)
                break;
            continue;
        }
        draws += made;
        path.Add(next);
        if (next == b)
            return true;
        mark(next);
        current = next;
        if (draws > kWalkDrawBudget)
            break;
    }
    ThrowDeadEnds(a, b);
}

void TTSPMap::ThrowDeadEnds(int32_t a, int32_t b) const {
    const int32_t from = IndexOfID(a);
    const int32_t to = IndexOfID(b);
    throw ETSPError("Не удалось проложить маршрут по дорогам от города \"" +
                    (from >= 0 ? City(from).Name : std::to_string(a)) + "\" до города \"" +
                    (to >= 0 ? City(to).Name : std::to_string(b)) +
                    "\": на карте слишком много тупиков. Добавьте дороги.");
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
