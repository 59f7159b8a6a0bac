// The synthetic extract: towns, main roads between them, villages, streets
// and, to reach a size, buildings and footpaths; then written with libosmium.

#include "SyntheticExtract.h"

#include <osmium/builder/attr.hpp>
#include <osmium/io/any_output.hpp>
#include <osmium/io/writer.hpp>
#include <osmium/memory/buffer.hpp>
#include <osmium/osm/box.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

constexpr double kKmPerDegree = 111.195;

// splitmix64: small, fast and the same everywhere.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; } // [0, 1)
    double Range(double low, double high) { return low + (high - low) * Uniform(); }
    size_t Below(size_t n) { return static_cast<size_t>(Uniform() * static_cast<double>(n)); }

private:
    uint64_t state_;
};

struct Spot {
    double Lon = 0, Lat = 0;
};

// Kilometres between two spots (flat Earth: the region is small).
double DistanceKm(Spot a, Spot b) {
    const double dx =
        (b.Lon - a.Lon) * kKmPerDegree * std::cos((a.Lat + b.Lat) / 2 * std::numbers::pi / 180);
    return std::hypot(dx, (b.Lat - a.Lat) * kKmPerDegree);
}

// A spot `east` and `north` kilometres away.
Spot Offset(Spot from, double east, double north) {
    const double lonKm = kKmPerDegree * std::cos(from.Lat * std::numbers::pi / 180);
    return {from.Lon + east / lonKm, from.Lat + north / kKmPerDegree};
}

using Tags = std::vector<std::pair<std::string, std::string>>;

// Nodes and ways as they are made; written in ID order at the end.
class Extract {
public:
    int64_t AddNode(Spot where, Tags tags = {}) {
        nodes_.push_back(where);
        const auto id = static_cast<int64_t>(nodes_.size());
        if (!tags.empty())
            nodeTags_.emplace(id, std::move(tags));
        return id;
    }
    void AddWay(const std::vector<int64_t>& refs, Tags tags) {
        wayStart_.push_back(refs_.size());
        refs_.insert(refs_.end(), refs.begin(), refs.end());
        wayTags_.push_back(std::move(tags));
    }
    Spot Where(int64_t node) const { return nodes_[static_cast<size_t>(node - 1)]; }
    int64_t NodeCount() const { return static_cast<int64_t>(nodes_.size()); }
    int64_t WayCount() const { return static_cast<int64_t>(wayTags_.size()); }
    void Write(const std::string& path, const TSyntheticExtractSettings& settings) const;

private:
    std::vector<Spot> nodes_;
    std::unordered_map<int64_t, Tags> nodeTags_;
    std::vector<int64_t> refs_;
    std::vector<size_t> wayStart_;
    std::vector<Tags> wayTags_;
};

void Extract::Write(const std::string& path, const TSyntheticExtractSettings& settings) const {
    using namespace osmium::builder::attr;
    osmium::io::Header header;
    header.set("generator", "trasolan make_osm_extract");
    header.add_box(osmium::Box(settings.West, settings.South, settings.East, settings.North));
    osmium::io::Writer writer(path, header, osmium::io::overwrite::allow);
    constexpr size_t kBufferBytes = 1u << 20;
    osmium::memory::Buffer buffer(kBufferBytes, osmium::memory::Buffer::auto_grow::yes);
    auto flush = [&](bool always) {
        if (always || buffer.committed() > kBufferBytes * 3 / 4) {
            writer(std::move(buffer));
            buffer = osmium::memory::Buffer(kBufferBytes, osmium::memory::Buffer::auto_grow::yes);
        }
    };
    for (int64_t id = 1; id <= NodeCount(); ++id) {
        const Spot at = Where(id);
        const auto tags = nodeTags_.find(id);
        if (tags == nodeTags_.end())
            osmium::builder::add_node(buffer, _id(id), _version(1), _location(at.Lon, at.Lat));
        else
            osmium::builder::add_node(buffer, _id(id), _version(1), _location(at.Lon, at.Lat),
                                      _tags(tags->second));
        flush(false);
    }
    for (size_t w = 0; w < wayTags_.size(); ++w) {
        const size_t end = w + 1 < wayStart_.size() ? wayStart_[w + 1] : refs_.size();
        const std::vector<int64_t> refs(refs_.begin() + static_cast<std::ptrdiff_t>(wayStart_[w]),
                                        refs_.begin() + static_cast<std::ptrdiff_t>(end));
        osmium::builder::add_way(buffer, _id(static_cast<int64_t>(w + 1)), _version(1),
                                 _nodes(refs), _tags(wayTags_[w]));
        flush(false);
    }
    flush(true);
    writer.close();
}

// Town names: a stem and an ending, as Russian place names are made, in an
// order of their own; with "Новое" and "Старое" before them when more are
// needed.
std::vector<std::string> TownNames(Random& random, size_t count) {
    static const char* const kStems[] = {
        "Берёз", "Ольх", "Сосн",   "Дубр",   "Лип",    "Рябин", "Камен", "Песч",  "Луг",
        "Красн", "Бел",  "Озер",   "Сокол",  "Журавл", "Лебед", "Волч",  "Лис",   "Бобр",
        "Ключ",  "Брод", "Слобод", "Полян",  "Яблон",  "Вишн",  "Калин", "Малин", "Осин",
        "Ясен",  "Клён", "Холм",   "Ольшан", "Ягод",   "Зорин", "Дуб",   "Бор",   "Ивн"};
    static const char* const kEndings[] = {"ово", "ино", "овка", "овск", "ец", "ское"};
    std::vector<std::string> names;
    for (const char* stem : kStems)
        for (const char* ending : kEndings)
            names.push_back(std::string(stem) + ending);
    for (size_t i = names.size(); i > 1; --i)
        std::swap(names[i - 1], names[random.Below(i)]);
    const size_t base = names.size();
    for (size_t i = 0; names.size() < count; ++i)
        names.push_back((i / base % 2 == 0 ? "Новое " : "Старое ") + names[i % base]);
    names.resize(count);
    return names;
}

struct Town {
    Spot Centre;
    std::string Name;
    const char* Place;
    int64_t Junction = 0; // the road node all its roads meet at
};

// Spots at least `spacing` kilometres apart (fewer tries left, closer).
std::vector<Spot> ScatterSpots(Random& random, const TSyntheticExtractSettings& s, size_t count,
                               double spacing, const std::vector<Spot>& avoid) {
    std::vector<Spot> spots;
    for (int tries = 0; spots.size() < count; ++tries) {
        const Spot candidate{random.Range(s.West, s.East), random.Range(s.South, s.North)};
        const double needed = spacing * std::max(0.2, 1.0 - tries / 20000.0);
        auto tooClose = [&](Spot other) { return DistanceKm(candidate, other) < needed; };
        if (std::none_of(spots.begin(), spots.end(), tooClose) &&
            std::none_of(avoid.begin(), avoid.end(), tooClose))
            spots.push_back(candidate);
    }
    return spots;
}

// Pairs of towns joined by a road: those with no third town inside the
// circle over them (the Gabriel graph, which is connected and planar).
std::vector<std::pair<size_t, size_t>> RoadPairs(const std::vector<Town>& towns) {
    std::vector<std::pair<size_t, size_t>> pairs;
    for (size_t a = 0; a < towns.size(); ++a)
        for (size_t b = a + 1; b < towns.size(); ++b) {
            const Spot mid{(towns[a].Centre.Lon + towns[b].Centre.Lon) / 2,
                           (towns[a].Centre.Lat + towns[b].Centre.Lat) / 2};
            const double radius = DistanceKm(towns[a].Centre, towns[b].Centre) / 2;
            bool empty = true;
            for (size_t c = 0; c < towns.size() && empty; ++c)
                empty = c == a || c == b || DistanceKm(mid, towns[c].Centre) >= radius;
            if (empty)
                pairs.emplace_back(a, b);
        }
    return pairs;
}

// A winding road from node `from` to node `to`: nodes every `step` km,
// pushed aside by two waves that die out at both ends.
std::vector<int64_t> WindingRoad(Extract& extract, Random& random, int64_t from, int64_t to,
                                 double step, double bend) {
    const Spot a = extract.Where(from), b = extract.Where(to);
    const double length = DistanceKm(a, b);
    const auto count = static_cast<int>(std::ceil(length / step));
    const double phase1 = random.Range(0, 2 * std::numbers::pi);
    const double phase2 = random.Range(0, 2 * std::numbers::pi);
    const double waves1 = random.Range(0.5, 1.5), waves2 = random.Range(2.5, 5);
    const double amplitude = bend * length;
    // Across the road: the unit vector square to it, in kilometres east and north.
    const double alongEast = DistanceKm(a, Spot{b.Lon, a.Lat}) * (b.Lon >= a.Lon ? 1 : -1);
    const double alongNorth = (b.Lat - a.Lat) * kKmPerDegree;
    const double east = alongNorth / std::max(length, 1e-9);
    const double north = -alongEast / std::max(length, 1e-9);
    std::vector<int64_t> refs{from};
    for (int i = 1; i < count; ++i) {
        const double t = static_cast<double>(i) / count;
        const double wave = std::sin(std::numbers::pi * t) *
                            (0.7 * std::sin(2 * std::numbers::pi * waves1 * t + phase1) +
                             0.3 * std::sin(2 * std::numbers::pi * waves2 * t + phase2));
        const Spot straight{a.Lon + (b.Lon - a.Lon) * t, a.Lat + (b.Lat - a.Lat) * t};
        refs.push_back(
            extract.AddNode(Offset(straight, east * amplitude * wave, north * amplitude * wave)));
    }
    refs.push_back(to);
    return refs;
}

const char* RoadClass(const Town& a, const Town& b, double lengthKm, double medianKm) {
    const bool cityA = std::string_view(a.Place) == "city";
    const bool cityB = std::string_view(b.Place) == "city";
    if (cityA && cityB)
        return "trunk";
    if (cityA || cityB)
        return "primary";
    return lengthKm > medianKm ? "secondary" : "tertiary";
}

// Main roads along the town pairs; one in ten carries a one-way tag, as a
// carriageway mapped on its own would.
int64_t AddMainRoads(Extract& extract, Random& random, const std::vector<Town>& towns,
                     double step) {
    const auto pairs = RoadPairs(towns);
    std::vector<double> lengths;
    for (const auto& [a, b] : pairs)
        lengths.push_back(DistanceKm(towns[a].Centre, towns[b].Centre));
    std::vector<double> sorted = lengths;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted.empty() ? 0 : sorted[sorted.size() / 2];
    for (size_t i = 0; i < pairs.size(); ++i) {
        const Town& a = towns[pairs[i].first];
        const Town& b = towns[pairs[i].second];
        Tags tags{{"highway", RoadClass(a, b, lengths[i], median)}};
        if (random.Below(10) == 0)
            tags.emplace_back("oneway", "yes");
        extract.AddWay(WindingRoad(extract, random, a.Junction, b.Junction, step, 0.08), tags);
    }
    return static_cast<int64_t>(pairs.size());
}

// Four residential streets from the town's junction.
void AddStreets(Extract& extract, Random& random, const Town& town) {
    for (int street = 0; street < 4; ++street) {
        const double angle = (street + random.Range(0, 0.5)) * std::numbers::pi / 2;
        std::vector<int64_t> refs{town.Junction};
        const Spot start = extract.Where(town.Junction);
        for (int i = 1; i <= 4; ++i)
            refs.push_back(extract.AddNode(
                Offset(start, 0.3 * i * std::cos(angle), 0.3 * i * std::sin(angle))));
        extract.AddWay(
            refs, {{"highway", "residential"}, {"name", "улица " + std::to_string(street + 1)}});
    }
}

// Each village on an unclassified road to the nearest town.
void AddVillages(Extract& extract, Random& random, const std::vector<Town>& towns,
                 const std::vector<Spot>& spots, const std::vector<std::string>& names) {
    for (size_t v = 0; v < spots.size(); ++v) {
        extract.AddNode(spots[v], {{"place", "village"}, {"name", names[v]}});
        const int64_t junction = extract.AddNode(Offset(spots[v], 0.1, 0.1));
        const Town* nearest = &towns.front();
        for (const Town& town : towns)
            if (DistanceKm(town.Centre, spots[v]) < DistanceKm(nearest->Centre, spots[v]))
                nearest = &town;
        extract.AddWay(WindingRoad(extract, random, junction, nearest->Junction, 0.3, 0.05),
                       {{"highway", "unclassified"}});
    }
}

// Buildings (closed rings) and footpaths around the towns until the extract
// has the totals asked for.
void AddFiller(Extract& extract, Random& random, const std::vector<Town>& towns, int64_t nodes,
               int64_t ways) {
    while (extract.WayCount() < ways) {
        const int64_t waysLeft = ways - extract.WayCount();
        const int64_t nodesLeft = std::max<int64_t>(0, nodes - extract.NodeCount());
        const int64_t size = std::max<int64_t>(2, nodesLeft / waysLeft);
        const Town& town = towns[random.Below(towns.size())];
        const Spot centre = Offset(town.Centre, random.Range(-3, 3), random.Range(-3, 3));
        std::vector<int64_t> refs;
        if (size < 3) {
            refs = {extract.AddNode(centre), extract.AddNode(Offset(centre, 0.05, 0.02))};
            extract.AddWay(refs, {{"highway", "footway"}});
            continue;
        }
        const double radius = random.Range(0.008, 0.02);
        for (int64_t k = 0; k < size; ++k) {
            const double angle = 2 * std::numbers::pi * static_cast<double>(k) / size;
            refs.push_back(extract.AddNode(
                Offset(centre, radius * std::cos(angle), radius * std::sin(angle))));
        }
        refs.push_back(refs.front());
        extract.AddWay(refs, {{"building", "yes"}});
    }
}

std::vector<Town> AddTowns(Extract& extract, Random& random, const std::vector<Spot>& spots,
                           const std::vector<std::string>& names, int32_t cities) {
    std::vector<Town> towns;
    for (size_t i = 0; i < spots.size(); ++i) {
        const bool city = static_cast<int32_t>(i) < cities;
        Tags tags{{"place", city ? "city" : "town"}, {"name", names[i]}};
        if (city)
            tags.emplace_back("name:ru", names[i]);
        extract.AddNode(spots[i], tags);
        // The roads meet a little off the centre, as they do at a town's square.
        const int64_t junction =
            extract.AddNode(Offset(spots[i], random.Range(-0.3, 0.3), random.Range(-0.3, 0.3)));
        towns.push_back({spots[i], names[i], city ? "city" : "town", junction});
    }
    return towns;
}

} // namespace

TSyntheticExtractCounts WriteSyntheticExtract(const std::string& path,
                                              const TSyntheticExtractSettings& s) {
    Random random(s.Seed);
    const auto townCount = static_cast<size_t>(s.Cities + s.Towns);
    const Spot middle{(s.West + s.East) / 2, (s.South + s.North) / 2};
    const double areaKm2 = DistanceKm({s.West, middle.Lat}, {s.East, middle.Lat}) *
                           DistanceKm({middle.Lon, s.South}, {middle.Lon, s.North});
    const double spacing = 0.7 * std::sqrt(areaKm2 / static_cast<double>(townCount));
    const std::vector<Spot> spots = ScatterSpots(random, s, townCount, spacing, {});
    const std::vector<std::string> names =
        TownNames(random, townCount + static_cast<size_t>(s.Villages));

    Extract extract;
    const std::vector<Town> towns = AddTowns(extract, random, spots, names, s.Cities);
    TSyntheticExtractCounts counts;
    counts.MainRoads = AddMainRoads(extract, random, towns, s.ShapeStepKm);
    for (const Town& town : towns)
        AddStreets(extract, random, town);
    const std::vector<Spot> villages =
        ScatterSpots(random, s, static_cast<size_t>(s.Villages), spacing / 3, spots);
    AddVillages(extract, random, towns, villages,
                std::vector<std::string>(names.begin() + static_cast<std::ptrdiff_t>(townCount),
                                         names.end()));
    if (s.Ways > 0)
        AddFiller(extract, random, towns, s.Nodes, s.Ways);
    extract.Write(path, s);
    counts.Nodes = extract.NodeCount();
    counts.Ways = extract.WayCount();
    return counts;
}
