// The random map generator. The draws follow a fixed order, so the same seed
// always gives the same map.

#include "map/RandomMap.h"

#include "core/RandomUnit.h"
#include "core/TSPErrors.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_set>
#include <vector>

namespace {

// Which node pairs are joined. A bit per ordered pair while that fits in a
// few megabytes; a hash set of pairs for sparse maps of many nodes.
class PairSet {
public:
    explicit PairSet(int64_t nodes) : nodes_(nodes) {
        if (nodes * nodes <= kMaxBits)
            bits_.assign(static_cast<size_t>((nodes * nodes + 63) / 64), 0);
    }
    bool Contains(int64_t a, int64_t b) const {
        if (!bits_.empty()) {
            const int64_t bit = a * nodes_ + b;
            return (bits_[static_cast<size_t>(bit / 64)] >> (bit % 64)) & 1u;
        }
        return pairs_.count(Key(a, b)) > 0;
    }
    void Insert(int64_t a, int64_t b) {
        if (!bits_.empty()) {
            Set(a * nodes_ + b);
            Set(b * nodes_ + a);
            return;
        }
        pairs_.insert(Key(a, b));
        pairs_.insert(Key(b, a));
    }

private:
    static constexpr int64_t kMaxBits = int64_t(1) << 28; // 32 MiB
    static uint64_t Key(int64_t a, int64_t b) {
        return (static_cast<uint64_t>(a) << 32) | static_cast<uint64_t>(b);
    }
    void Set(int64_t bit) { bits_[static_cast<size_t>(bit / 64)] |= uint64_t(1) << (bit % 64); }

    int64_t nodes_;
    std::vector<uint64_t> bits_;
    std::unordered_set<uint64_t> pairs_;
};

} // namespace

int64_t RandomMapRoadCount(const TRandomMapSettings& settings) {
    const int64_t n = settings.Count;
    // N * P * N - 1 in 64 bits: with N up to 32767 the product exceeds 32 bits.
    const double asked = std::trunc(static_cast<double>(n * settings.RoadShare * n - 1) / 2 / 100);
    const int64_t pairs = n * (n - 1) / 2;
    // More roads than distinct pairs could never all be placed.
    return std::clamp(static_cast<int64_t>(asked), int64_t(0), std::max(pairs, int64_t(0)));
}

void CheckRandomMapSettings(const TRandomMapSettings& settings) {
    if (settings.Count < 0 || settings.Count > kMaxNodes) {
        throw ETSPError("Число городов должно лежать в диапазоне от 0 до " +
                        std::to_string(kMaxNodes) + ".");
    }
    if (settings.RoadShare < 0 || settings.RoadShare > 100 || settings.TransitShare < 0 ||
        settings.TransitShare > 100) {
        throw ETSPError("Доли дорог и перевалочных пунктов задаются в процентах, от 0 до 100.");
    }
    if (settings.Width < 0 || settings.Height < 0)
        throw ETSPError("Размеры области карты не могут быть отрицательными.");
    const int64_t roads = RandomMapRoadCount(settings);
    if (roads * 2 > kMaxRoadEntries) {
        throw ETSPError("Слишком много дорог: " + std::to_string(roads) +
                        ". Допускается не более " + std::to_string(kMaxRoadEntries / 2) +
                        " дорог; уменьшите число городов или долю дорог.");
    }
}

void GenerateRandomMap(TTSPMap& map, const TRandomMapSettings& settings, TDisplayFlags& flags,
                       std::optional<uint32_t> seed, const std::function<void()>& processEvents) {
    CheckRandomMapSettings(settings);
    if (processEvents)
        processEvents();
    if (seed)
        SetRandSeed(*seed);
    else
        Randomize();
    flags.ShowPath = false;

    const int32_t width = settings.Width;
    const int32_t height = settings.Height;
    const int32_t radius = std::min(width, height) / 2 - 10;
    const int32_t cx = width / 2;
    const int32_t cy = height / 2;

    const int32_t n = settings.Count;
    int32_t transit = static_cast<int32_t>(std::trunc(double(n) * settings.TransitShare / 100));
    int64_t roads = RandomMapRoadCount(settings);

    map.Clear();
    if (processEvents)
        processEvents();

    for (int32_t i = 0; i < n; ++i) {
        TCity city;
        city.ID = map.Count();
        city.Name = std::to_string(city.ID);
        if (settings.Ring) {
            const int32_t half = Rnd(2);
            const double u = RndReal();
            const double angle = (u + half) * std::numbers::pi;
            const int32_t r1 = Rnd(30);
            city.X = std::trunc(std::sin(angle) * (r1 - 15 + radius) + cx);
            const int32_t r2 = Rnd(30);
            city.Y = std::trunc(std::cos(angle) * (r2 - 15 + radius) + cy);
        } else {
            city.X = Rnd(width);
            city.Y = Rnd(height);
        }
        if (transit > 0) {
            city.ThisCity = false;
            --transit;
        } else {
            city.ThisCity = true;
        }
        map.AddCity(city);
    }

    PairSet joined(n);
    while (roads > 0) {
        int32_t a = Rnd(n);
        int32_t b = Rnd(n);
        while (a == b || joined.Contains(a, b)) {
            a = Rnd(n);
            b = Rnd(n);
        }
        map.AddRoadEntry(b, a);
        map.AddRoadEntry(a, b);
        joined.Insert(a, b);
        --roads;
    }
}
