// Random road walks: the self-avoiding walks that random routes are made of.
//
// The start of a run on a large sparse map makes tens of millions of walk
// steps, so a step is kept to a few loads: the road lists in one array, a
// stamp per node for "already in the path", and draws made before any scan.

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

// Draws the next node of a walk from the `degree` entries of `roads` into
// `next`, counting the draws in `made`; false when no entry is free (the
// node is stuck).
template <typename IsFree>
bool DrawFreeRoad(const int32_t* roads, int32_t degree, TRandom& random, const IsFree& isFree,
                  int32_t& next, int64_t& made) {
    // The plain walk first scans the list for a free entry, then draws
    // entries until it meets one. Drawing first, on a copy of the generator,
    // makes exactly those draws whenever a free entry turns up; only when a
    // few draws meet none is the list scanned, and if it has no free entry
    // the copy is thrown away: a stuck node draws nothing.
    if (degree <= 0)
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
    for (int32_t k = 0; k < degree && !anyFree; ++k)
        anyFree = isFree(roads[k]);
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

// The walk over node IDs, for any map: every ID is looked up.
struct TTSPMap::TWalkById {
    const TTSPMap& map;
    uint32_t* stamp;
    uint32_t epoch;

    bool IsFree(int32_t id) const {
        const int32_t p = map.IndexOfID(id);
        return p >= 0 && stamp[p] != epoch;
    }
    void Mark(int32_t id) {
        const int32_t p = map.IndexOfID(id);
        if (p >= 0)
            stamp[p] = epoch;
    }
    const int32_t* Roads(int32_t id, int32_t& degree) const {
        const int32_t p = map.IndexOfID(id);
        if (p < 0) {
            degree = 0;
            return nullptr;
        }
        degree = map.City(p).Roads.Count();
        return map.City(p).Roads.data();
    }
    void Restart() {
        epoch = map.NextWalkEpoch();
        stamp = map.walkStamp_.data();
    }
};

// The walk over positions, for a map whose IDs are positions: the road
// lists in one array, an entry that names no node turned into the position
// one past the last node, whose stamp always reads "in the path".
struct TTSPMap::TWalkByPosition {
    const TTSPMap& map;
    const int32_t* first;
    const int32_t* entries;
    uint32_t* stamp;
    uint32_t epoch;

    bool IsFree(int32_t p) const { return stamp[p] != epoch; }
    void Mark(int32_t p) { stamp[p] = epoch; }
    const int32_t* Roads(int32_t p, int32_t& degree) const {
        degree = first[p + 1] - first[p];
        return entries + first[p];
    }
    void Restart() {
        epoch = map.NextWalkEpoch();
        stamp = map.walkStamp_.data();
        stamp[map.Count()] = epoch;
    }
};

uint32_t TTSPMap::NextWalkEpoch() const {
    // The stamps live in the map between walks, so that building a population
    // of routes on a large map does not clear a node-sized array per walk;
    // they are cleared only when the epoch would wrap round. One stamp more
    // than nodes serves the walk over positions.
    if (walkStamp_.size() != cities_.size() + 1 || walkEpoch_ == UINT32_MAX) {
        walkStamp_.assign(cities_.size() + 1, 0);
        walkEpoch_ = 0;
    }
    return ++walkEpoch_;
}

void TTSPMap::PrepareWalkRoads() const {
    if (walkRoadsVersion_ == version_ && walkFirst_.size() == cities_.size() + 1)
        return;
    const int32_t count = Count();
    walkFirst_.assign(cities_.size() + 1, 0);
    walkEntries_.clear();
    for (int32_t p = 0; p < count; ++p) {
        for (int32_t id : City(p).Roads)
            walkEntries_.push_back(id >= 0 && id < count ? id : count);
        walkFirst_[static_cast<size_t>(p) + 1] = static_cast<int32_t>(walkEntries_.size());
    }
    walkRoadsVersion_ = version_;
}

bool TTSPMap::RandomWalk(int32_t a, int32_t b, TIntegerArray& path, TRandom& random,
                         TProgressPoll* poll) const {
    path.Clear();
    path.Add(a);
    if (a == b)
        return true;
    const int32_t count = Count();
    if (idsArePositions_ && a >= 0 && a < count && b >= 0 && b < count) {
        PrepareWalkRoads();
        TWalkByPosition walk{*this, walkFirst_.data(), walkEntries_.data(), nullptr, 0};
        walk.Restart();
        return WalkSteps(a, b, path, random, poll, walk);
    }
    TWalkById walk{*this, nullptr, 0};
    walk.Restart();
    return WalkSteps(a, b, path, random, poll, walk);
}

template <typename Walk>
bool TTSPMap::WalkSteps(int32_t a, int32_t b, TIntegerArray& path, TRandom& random,
                        TProgressPoll* poll, Walk& walk) const {
    // Membership in the path by a stamp per node rather than a scan: the
    // draws, and so the walk, are exactly those of the plain scan. A node
    // can be walked to when it exists and is not yet in the path (the current
    // node is in the path, so a road to itself is never taken).
    auto isFree = [&walk](int32_t node) { return walk.IsFree(node); };
    int64_t draws = 0;
    int32_t current = a;
    walk.Mark(a);
    for (;;) {
        if (poll && !poll->Poll())
            return false;
        int32_t degree = 0;
        const int32_t* roads = walk.Roads(current, degree);
        int32_t next = 0;
        int64_t made = 0;
        if (!DrawFreeRoad(roads, degree, random, isFree, next, made)) {
            // Stuck: every entry is in the path (or there is none). The walk
            // starts again from a, with no draw made.
            path.Clear();
            path.Add(a);
            walk.Restart();
            walk.Mark(a);
            current = a;
            if (++draws > kWalkDrawBudget)
                break;
            continue;
        }
        draws += made;
        path.Add(next);
        if (next == b)
            return true;
        walk.Mark(next);
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
