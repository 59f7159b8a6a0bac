#include "solver/RouteIndex.h"

#include "map/TSPMap.h"

#include <algorithm>

namespace solver {

namespace {

constexpr uint64_t kEmptyKey = ~uint64_t{0};

uint64_t PairKey(int32_t a, int32_t b) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
}

// A multiplicative mix so that neighbouring pairs spread over the table.
uint64_t Mix(uint64_t key) {
    key ^= key >> 31;
    key *= 0x9E3779B97F4A7C15ull;
    key ^= key >> 29;
    return key;
}

} // namespace

void TRouteIndex::Refresh(const TTSPMap& map) {
    // The node count and ID rule are compared too, as a guard against a map
    // assigned from another one (which takes over that map's version).
    if (built_ && map_ == &map && version_ == map.Version() && nodeCount_ == map.Count() &&
        delegateRoads_ == !map.IdsArePositions() && selection_ == map.SelectedCities())
        return;
    Rebuild(map);
}

void TRouteIndex::Rebuild(const TTSPMap& map, TRoadStore store) {
    // Epoch 0 stands for "never checked"; a wrap round skips it.
    if (++epoch_ == 0)
        epoch_ = 1;
    map_ = &map;
    version_ = map.Version();
    selection_ = map.SelectedCities();
    nodeCount_ = map.Count();
    built_ = true;
    bits_.clear();
    slots_.clear();

    // The tables are keyed by node position, which stands for the node's ID
    // only while IDs are positions.
    delegateRoads_ = !map.IdsArePositions();
    store_ = TRoadStore::Automatic;
    if (!delegateRoads_) {
        // The dense table covers road entries that name a node; a list holding
        // anything else goes to the hash set, which takes any pair.
        bool entriesInRange = true;
        for (const TCity& city : map.Cities())
            for (int32_t to : city.Roads)
                if (to < 0 || to >= nodeCount_)
                    entriesInRange = false;
        if (store == TRoadStore::Automatic)
            store = (entriesInRange && nodeCount_ <= kDenseLimit) ? TRoadStore::Dense
                                                                  : TRoadStore::Hashed;
        if (store == TRoadStore::Dense && !entriesInRange)
            store = TRoadStore::Hashed;
        store_ = store;
        if (store_ == TRoadStore::Dense)
            BuildDense();
        else
            BuildHashed();
    }
    BuildSelection();
}

void TRouteIndex::BuildDense() {
    rowWords_ = (nodeCount_ + 63) / 64;
    bits_.assign(static_cast<size_t>(rowWords_) * static_cast<size_t>(nodeCount_), 0);
    for (int32_t a = 0; a < nodeCount_; ++a)
        for (int32_t b : map_->City(a).Roads)
            bits_[static_cast<size_t>(a) * rowWords_ + static_cast<uint32_t>(b) / 64] |=
                uint64_t{1} << (static_cast<uint32_t>(b) % 64);
}

void TRouteIndex::BuildHashed() {
    size_t entries = 0;
    for (const TCity& city : map_->Cities())
        entries += static_cast<size_t>(city.Roads.Count());
    // At most half full, so that a miss ends after a few probes.
    size_t size = 16;
    while (size < entries * 2)
        size *= 2;
    slots_.assign(size, kEmptyKey);
    slotMask_ = size - 1;
    for (int32_t a = 0; a < nodeCount_; ++a) {
        for (int32_t b : map_->City(a).Roads) {
            const uint64_t key = PairKey(a, b);
            for (uint64_t slot = Mix(key) & slotMask_;; slot = (slot + 1) & slotMask_) {
                if (slots_[slot] == key)
                    break;
                if (slots_[slot] == kEmptyKey) {
                    slots_[slot] = key;
                    break;
                }
            }
        }
    }
}

void TRouteIndex::BuildSelection() {
    // Stamping needs every selected ID to be a node position; an ID that names
    // no node (a selection left over from edits) goes to the map's scan.
    delegateSelection_ = false;
    for (int32_t id : selection_)
        if (id < 0 || id >= nodeCount_)
            delegateSelection_ = true;
    selectedSlot_.clear();
    distinctSelected_ = 0;
    seenStamp_.clear();
    stamp_ = 0;
    if (delegateSelection_)
        return;
    selectedSlot_.assign(static_cast<size_t>(nodeCount_), -1);
    for (int32_t id : selection_) {
        int32_t& slot = selectedSlot_[static_cast<size_t>(id)];
        if (slot < 0)
            slot = distinctSelected_++;
    }
    seenStamp_.assign(static_cast<size_t>(distinctSelected_), 0);
}

bool TRouteIndex::HashedContains(int32_t a, int32_t b) const {
    const uint64_t key = PairKey(a, b);
    for (uint64_t slot = Mix(key) & slotMask_;; slot = (slot + 1) & slotMask_) {
        const uint64_t found = slots_[slot];
        if (found == key)
            return true;
        if (found == kEmptyKey)
            return false;
    }
}

bool TRouteIndex::HasRoad(int32_t a, int32_t b) const {
    if (delegateRoads_)
        return map_->HasRoad(a, b);
    // A route may hold an ID that names no node (after edits during a pause):
    // such a node has no roads.
    if (static_cast<uint32_t>(a) >= static_cast<uint32_t>(nodeCount_))
        return false;
    if (store_ == TRoadStore::Dense)
        return static_cast<uint32_t>(b) < static_cast<uint32_t>(nodeCount_) && DenseContains(a, b);
    return HashedContains(a, b);
}

uint32_t TRouteIndex::NextStamp() const {
    if (++stamp_ == 0) {
        // The stamp wrapped round: old marks could look fresh, so clear them.
        std::fill(seenStamp_.begin(), seenStamp_.end(), 0);
        stamp_ = 1;
    }
    return stamp_;
}

bool TRouteIndex::ContainsAllSelected(const TIntegerArray& route) const {
    if (delegateSelection_)
        return map_->ContainsAllSelected(route);
    if (distinctSelected_ == 0)
        return true;
    const uint32_t stamp = NextStamp();
    int32_t found = 0;
    const int32_t* slotOf = selectedSlot_.data();
    const uint32_t count = static_cast<uint32_t>(nodeCount_);
    for (int32_t gene : route) {
        if (static_cast<uint32_t>(gene) >= count)
            continue;
        const int32_t slot = slotOf[gene];
        if (slot < 0 || seenStamp_[static_cast<size_t>(slot)] == stamp)
            continue;
        seenStamp_[static_cast<size_t>(slot)] = stamp;
        if (++found == distinctSelected_)
            return true;
    }
    return false;
}

bool TRouteIndex::IsValidRoute(const TIntegerArray& route) const {
    if (delegateRoads_ || route.Count() == 0 || selection_.Count() == 0)
        return map_->IsValidRoute(route); // raises for an empty list, as the map does
    const int32_t count = route.Count();
    const int32_t* genes = route.data();
    if (genes[0] != selection_[0] || genes[count - 1] != selection_[selection_.Count() - 1])
        return false;
    for (int32_t i = 0; i + 1 < count; ++i)
        if (!HasRoad(genes[i], genes[i + 1]))
            return false;
    return true;
}

bool TRouteIndex::IsValidChild(const TIntegerArray& route) const {
    const int32_t count = route.Count();
    // An empty route or selection makes IsValidRoute raise; the order of the
    // two checks then matters, so keep it.
    if (delegateRoads_ || delegateSelection_ || count == 0 || selection_.Count() == 0)
        return ContainsAllSelected(route) && IsValidRoute(route);

    // Otherwise neither check raises and the answer is their conjunction:
    // the cheap end test first, then roads and selected cities in one pass.
    const int32_t* genes = route.data();
    if (genes[0] != selection_[0] || genes[count - 1] != selection_[selection_.Count() - 1])
        return false;
    return store_ == TRoadStore::Dense ? ScanChild<true>(genes, count)
                                       : ScanChild<false>(genes, count);
}

template <bool Dense> bool TRouteIndex::ScanChild(const int32_t* genes, int32_t count) const {
    // The first gene is the first selected city, so a node; every later one
    // is tested as the end of a road, which only a node can be.
    const uint32_t nodes = static_cast<uint32_t>(nodeCount_);
    const int32_t* slotOf = selectedSlot_.data();
    const uint32_t stamp = distinctSelected_ > 0 ? NextStamp() : 0;
    uint32_t* seen = seenStamp_.data();
    int32_t found = 0;
    // Locals, so that the stamps written below do not make the compiler
    // reload the table for every step.
    const uint64_t* bits = bits_.data();
    const size_t rowWords = static_cast<size_t>(rowWords_);
    for (int32_t i = 0;; ++i) {
        const uint32_t gene = static_cast<uint32_t>(genes[i]);
        const int32_t slot = slotOf[gene];
        if (slot >= 0 && seen[slot] != stamp) {
            seen[slot] = stamp;
            ++found;
        }
        if (i + 1 == count)
            break;
        const uint32_t next = static_cast<uint32_t>(genes[i + 1]);
        if (next >= nodes)
            return false;
        if constexpr (Dense) {
            if (!((bits[gene * rowWords + next / 64] >> (next % 64)) & 1u))
                return false;
        } else {
            if (!HashedContains(static_cast<int32_t>(gene), genes[i + 1]))
                return false;
        }
    }
    return found == distinctSelected_;
}

} // namespace solver
