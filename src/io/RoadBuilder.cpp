#include "io/RoadBuilder.h"

#include "io/ImportError.h"
#include "io/ImportLimits.h"
#include "io/KdTree.h"
#include "map/TSPMap.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace {

bool InsertSorted(std::vector<int32_t>& list, int32_t value) {
    auto at = std::lower_bound(list.begin(), list.end(), value);
    if (at != list.end() && *at == value)
        return false;
    list.insert(at, value);
    return true;
}

// Component number of every node (0, 1, ... in order of their lowest node);
// returns the number of components.
int32_t LabelComponents(const TRoadLists& roads, std::vector<int32_t>& labels) {
    labels.assign(roads.size(), -1);
    std::vector<int32_t> stack;
    int32_t count = 0;
    for (size_t start = 0; start < roads.size(); ++start) {
        if (labels[start] >= 0)
            continue;
        labels[start] = count;
        stack.push_back(static_cast<int32_t>(start));
        while (!stack.empty()) {
            const int32_t node = stack.back();
            stack.pop_back();
            for (int32_t next : roads[static_cast<size_t>(node)]) {
                if (labels[static_cast<size_t>(next)] < 0) {
                    labels[static_cast<size_t>(next)] = count;
                    stack.push_back(next);
                }
            }
        }
        ++count;
    }
    return count;
}

double Distance2(const std::vector<TPlanePoint>& points, int32_t a, int32_t b) {
    const double dx = points[static_cast<size_t>(a)].X - points[static_cast<size_t>(b)].X;
    const double dy = points[static_cast<size_t>(a)].Y - points[static_cast<size_t>(b)].Y;
    return dx * dx + dy * dy;
}

} // namespace

bool CompleteGraphFits(int64_t nodes) {
    return nodes <= 1 || nodes * (nodes - 1) <= kMaxRoadEntries;
}

TRoadRule ResolveRoadRule(const TRoadOptions& options, int64_t nodes) {
    if (options.Rule != TRoadRule::Automatic)
        return options.Rule;
    return CompleteGraphFits(nodes) ? TRoadRule::Complete : TRoadRule::Nearest;
}

TBuiltRoads BuildRoads(const std::vector<TPlanePoint>& points, const TRoadOptions& options) {
    const int64_t nodes = static_cast<int64_t>(points.size());
    CheckImportLimits(nodes, 0);
    TBuiltRoads built;
    built.Rule = ResolveRoadRule(options, nodes);
    if (built.Rule == TRoadRule::Complete) {
        if (!CompleteGraphFits(nodes)) {
            throw EImportError("Дороги между всеми парами из " + std::to_string(nodes) +
                               " узлов превышают предел программы в " +
                               std::to_string(kMaxRoadEntries / 2) +
                               " дорог; выберите дороги к ближайшим соседям.");
        }
        built.Lists = BuildCompleteRoads(static_cast<int32_t>(nodes));
        return built;
    }
    built.Neighbours = std::max(options.Neighbours, 1);
    built.Lists = BuildNearestRoads(points, built.Neighbours);
    CheckImportLimits(nodes, CountRoadEntries(built.Lists),
                      "Уменьшите число ближайших соседей, с которыми соединяется узел.");
    built.JoiningRoads = ConnectRoads(points, built.Lists);
    return built;
}

TRoadLists BuildCompleteRoads(int32_t nodes) {
    TRoadLists roads(static_cast<size_t>(std::max(nodes, 0)));
    for (int32_t a = 0; a < nodes; ++a) {
        std::vector<int32_t>& list = roads[static_cast<size_t>(a)];
        list.resize(static_cast<size_t>(nodes));
        std::iota(list.begin(), list.end(), 0);
        list.erase(list.begin() + a);
    }
    return roads;
}

TRoadLists BuildNearestRoads(const std::vector<TPlanePoint>& points, int32_t k) {
    const int32_t count = static_cast<int32_t>(points.size());
    // Past this many neighbours the road lists would exceed the program's
    // road limit anyway; the limit check then refuses the map.
    const int64_t enough = kMaxRoadEntries / std::max<int64_t>(count, 1) + 1;
    const int32_t neighbours = static_cast<int32_t>(std::min<int64_t>(k, enough));
    TRoadLists roads(points.size());
    const TKdTree tree(points);
    for (int32_t a = 0; a < count; ++a) {
        for (int32_t b : tree.Nearest(a, neighbours)) {
            roads[static_cast<size_t>(a)].push_back(b);
            roads[static_cast<size_t>(b)].push_back(a);
        }
    }
    SortRoadLists(roads);
    return roads;
}

int32_t ConnectRoads(const std::vector<TPlanePoint>& points, TRoadLists& roads) {
    TKdTree tree(points);
    int32_t added = 0;
    std::vector<int32_t> labels;
    for (int32_t parts = LabelComponents(roads, labels); parts > 1;
         parts = LabelComponents(roads, labels)) {
        tree.SetLabels(labels);
        // The shortest link leaving each part; ties go to the lower node numbers.
        struct TLink {
            double Distance2 = -1;
            int32_t A = -1, B = -1;
        };
        std::vector<TLink> shortest(static_cast<size_t>(parts));
        for (int32_t a = 0; a < static_cast<int32_t>(points.size()); ++a) {
            const int32_t b = tree.NearestOther(a);
            TLink link{Distance2(points, a, b), std::min(a, b), std::max(a, b)};
            TLink& best = shortest[static_cast<size_t>(labels[static_cast<size_t>(a)])];
            if (best.A < 0 || link.Distance2 < best.Distance2 ||
                (link.Distance2 == best.Distance2 &&
                 std::pair(link.A, link.B) < std::pair(best.A, best.B)))
                best = link;
        }
        for (const TLink& link : shortest)
            added += AddRoad(roads, link.A, link.B) ? 1 : 0;
    }
    return added;
}

bool AddRoad(TRoadLists& roads, int32_t a, int32_t b) {
    const bool added = InsertSorted(roads[static_cast<size_t>(a)], b);
    return InsertSorted(roads[static_cast<size_t>(b)], a) || added;
}

void SortRoadLists(TRoadLists& roads) {
    for (std::vector<int32_t>& list : roads) {
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
}

int64_t CountRoadEntries(const TRoadLists& roads) {
    int64_t entries = 0;
    for (const std::vector<int32_t>& list : roads)
        entries += static_cast<int64_t>(list.size());
    return entries;
}
