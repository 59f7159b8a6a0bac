// The map model: nodes, the selection, deletion with renumbering and the
// check that a task can be solved.

#include "map/TSPMap.h"

#include "core/TSPErrors.h"
#include "core/TextEncoding.h"

#include <deque>
#include <unordered_map>

TTSPMap g_Map;
TDisplayFlags g_Display;

namespace {

// Names are single-line text: a line break inside a name would split the map
// file's "Name=" line, so control characters become spaces.
std::string CleanName(const std::string& name) {
    std::string cleaned = Utf8Left(Utf8Sanitize(name), kMaxNameLength);
    for (char& c : cleaned)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
            c = ' ';
    return cleaned;
}

} // namespace

void TTSPMap::Clear() {
    cities_.clear();
    selected_.Clear();
    matrixBuilt_ = false;
    idsArePositions_ = true;
    Touch();
}

int32_t TTSPMap::AddCity(const TCity& city) {
    TCity copy = city;
    copy.Name = CleanName(city.Name);
    const int32_t position = Count();
    if (copy.ID != position)
        idsArePositions_ = false;
    cities_.push_back(std::move(copy));
    Touch();
    return position;
}

void TTSPMap::DeleteCity(int32_t id) {
    const int32_t removedAt = IndexOfID(id);
    if (removedAt >= 0)
        cities_.erase(cities_.begin() + removedAt);
    // The selection loses the deleted ID before the renumbering, which makes
    // any further entry of it -1 (refused by CheckTask).
    UnselectCity(id);
    RenumberToPositions(cities_, selected_, id);
    idsArePositions_ = true;
    Touch();
}

void TTSPMap::InsertCity(int32_t position, const TCity& city) {
    if (position < 0 || position > Count())
        throw ETSPError(IndexErrorMessage("TTSPMap.InsertCity", position, 0, Count() + 1));
    const auto follow = [position](int32_t& id) {
        if (id >= position)
            ++id;
    };
    for (TCity& other : cities_) {
        follow(other.ID);
        for (int32_t& entry : other.Roads.Items())
            follow(entry);
    }
    for (int32_t& entry : selected_.Items())
        follow(entry);
    TCity copy = city;
    copy.ID = position;
    copy.Name = CleanName(city.Name);
    cities_.insert(cities_.begin() + position, std::move(copy));
    Touch();
}

void TTSPMap::RenumberToPositions(std::vector<TCity>& cities, TIntegerArray& selection,
                                  std::optional<int32_t> removedId) {
    std::unordered_map<int32_t, int32_t> positionOf;
    positionOf.reserve(cities.size());
    for (size_t p = 0; p < cities.size(); ++p) {
        positionOf.try_emplace(cities[p].ID, static_cast<int32_t>(p));
        cities[p].ID = static_cast<int32_t>(p);
    }
    auto translate = [&](int32_t oldId) -> int32_t {
        if (oldId == removedId)
            return -1;
        auto found = positionOf.find(oldId);
        return found == positionOf.end() ? -1 : found->second;
    };

    // Every entry is renumbered, not just the first occurrence, so that a road
    // listed twice keeps naming the same node.
    for (TCity& city : cities) {
        std::vector<int32_t>& roads = city.Roads.Items();
        size_t kept = 0;
        for (int32_t entry : roads) {
            const int32_t renumbered = translate(entry);
            if (renumbered >= 0)
                roads[kept++] = renumbered;
        }
        roads.resize(kept);
    }
    // The selection follows the renumbering too, so every selected ID still
    // names the node the user chose.
    for (int32_t& entry : selection.Items())
        entry = translate(entry);
}

void TTSPMap::CheckPosition(int32_t position, const char* operation) const {
    if (position < 0 || position >= Count())
        throw ETSPError(IndexErrorMessage(operation, position, 0, Count()));
}

TCity TTSPMap::GetCity(int32_t position) const {
    CheckPosition(position, "TTSPMap.GetCity");
    return cities_[static_cast<size_t>(position)];
}

int32_t TTSPMap::IndexOfID(int32_t id) const {
    // While IDs equal positions the node with this ID is at that position.
    if (idsArePositions_)
        return (id >= 0 && id < Count()) ? id : -1;
    for (int32_t p = 0; p < Count(); ++p)
        if (cities_[static_cast<size_t>(p)].ID == id)
            return p;
    return -1;
}

void TTSPMap::SetCityName(int32_t position, const std::string& name) {
    CheckPosition(position, "TTSPMap.SetCityName");
    cities_[static_cast<size_t>(position)].Name = CleanName(name);
}

void TTSPMap::SetCityPosition(int32_t position, double x, double y) {
    CheckPosition(position, "TTSPMap.SetCityPosition");
    cities_[static_cast<size_t>(position)].X = x;
    cities_[static_cast<size_t>(position)].Y = y;
    Touch();
}

void TTSPMap::SetCityKind(int32_t position, bool isCity) {
    CheckPosition(position, "TTSPMap.SetCityKind");
    cities_[static_cast<size_t>(position)].ThisCity = isCity;
}

void TTSPMap::SetCityRoads(int32_t position, const TIntegerArray& roads) {
    CheckPosition(position, "TTSPMap.SetCityRoads");
    cities_[static_cast<size_t>(position)].Roads = roads;
    Touch();
}

void TTSPMap::AddRoadEntry(int32_t from, int32_t to) {
    CheckPosition(from, "TTSPMap.AddRoadEntry");
    cities_[static_cast<size_t>(from)].Roads.Add(to);
    Touch();
}

void TTSPMap::SelectCity(int32_t id) {
    if (!selected_.Exists(id))
        selected_.Add(id);
}

void TTSPMap::UnselectCity(int32_t id) {
    const int32_t index = selected_.IndexOf(id);
    if (index >= 0)
        selected_.Delete(index);
}

void TTSPMap::SetSelection(const TIntegerArray& ids) {
    selected_ = ids;
}

std::true_type TTSPMap::CheckTask() const {
    if (selected_.Count() < 2)
        throw ETSPError("Выделеных городов должно быть более двух");
    if (Count() < 4)
        throw ETSPError("Для решения необходимо создать как минимум четыре города");
    for (int32_t id : selected_) {
        if (IndexOfID(id) < 0) {
            throw ETSPError("Выделенный город с номером " + std::to_string(id) +
                            " отсутствует на карте. Выделите города заново.");
        }
    }
    CheckReachability();
    return {};
}

namespace {

// Breadth-first search over the road lists (or, reversed, over the lists that
// lead into a node). Returns the positions reached from `start`.
std::vector<bool> Reach(const TTSPMap& map, int32_t start, bool reversed) {
    const int32_t n = map.Count();
    std::vector<std::vector<int32_t>> incoming;
    if (reversed) {
        incoming.resize(static_cast<size_t>(n));
        for (int32_t p = 0; p < n; ++p)
            for (int32_t to : map.City(p).Roads) {
                const int32_t q = map.IndexOfID(to);
                if (q >= 0)
                    incoming[static_cast<size_t>(q)].push_back(p);
            }
    }
    std::vector<bool> seen(static_cast<size_t>(n), false);
    std::deque<int32_t> queue{start};
    seen[static_cast<size_t>(start)] = true;
    while (!queue.empty()) {
        const int32_t p = queue.front();
        queue.pop_front();
        auto visit = [&](int32_t q) {
            if (q >= 0 && !seen[static_cast<size_t>(q)]) {
                seen[static_cast<size_t>(q)] = true;
                queue.push_back(q);
            }
        };
        if (reversed) {
            for (int32_t q : incoming[static_cast<size_t>(p)])
                visit(q);
        } else {
            for (int32_t to : map.City(p).Roads)
                visit(map.IndexOfID(to));
        }
    }
    return seen;
}

std::string Quoted(const TTSPMap& map, int32_t position) {
    return "\"" + map.City(position).Name + "\"";
}

[[noreturn]] void Unreachable(const TTSPMap& map, int32_t from, int32_t to) {
    throw ETSPError("Задачу решить нельзя: из города " + Quoted(map, from) +
                    " нельзя добраться по дорогам до города " + Quoted(map, to) + ".");
}

} // namespace

// A route is made of random road walks between consecutive selected cities in
// a shuffled order (first and last fixed), and a walk only ends when its goal
// can be reached. So: the first city must reach every middle one, the middle
// ones must reach one another, and every middle one must reach the last.
void TTSPMap::CheckReachability() const {
    const int32_t k = selected_.Count();
    std::vector<int32_t> at(static_cast<size_t>(k));
    for (int32_t i = 0; i < k; ++i)
        at[static_cast<size_t>(i)] = IndexOfID(selected_[i]);
    const int32_t first = at.front();
    const int32_t last = at.back();

    if (k <= 3) {
        // With two or three cities the order is never shuffled.
        for (int32_t i = 0; i + 1 < k; ++i) {
            const int32_t from = at[static_cast<size_t>(i)];
            const int32_t to = at[static_cast<size_t>(i) + 1];
            if (!Reach(*this, from, false)[static_cast<size_t>(to)])
                Unreachable(*this, from, to);
        }
        return;
    }

    const int32_t hub = at[1];
    const std::vector<bool> fromHub = Reach(*this, hub, false);
    const std::vector<bool> toHub = Reach(*this, hub, true);
    if (!toHub[static_cast<size_t>(first)])
        Unreachable(*this, first, hub);
    for (int32_t i = 2; i + 1 < k; ++i) {
        const int32_t middle = at[static_cast<size_t>(i)];
        if (!fromHub[static_cast<size_t>(middle)])
            Unreachable(*this, hub, middle);
        if (!toHub[static_cast<size_t>(middle)])
            Unreachable(*this, middle, hub);
    }
    if (!fromHub[static_cast<size_t>(last)])
        Unreachable(*this, hub, last);
}
