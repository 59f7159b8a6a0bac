// The towns of an import: joined to the roads or left out, and selected.

#include "io/OsmTowns.h"

#include "core/NumberText.h"
#include "core/TextEncoding.h"
#include "io/ImportError.h"
#include "io/TownJoining.h"

#include <algorithm>
#include <numeric>

namespace {

std::string TownName(const TOsmTown& town) {
    return town.Name.empty() ? "Без названия (OSM " + std::to_string(town.OsmId) + ")" : town.Name;
}

// Position of the town with that name: exact first, then without regard to
// letter case. Raises EImportError when no town has it.
int32_t FindTown(const std::vector<TPlacedTown>& towns, const std::string& name) {
    for (size_t t = 0; t < towns.size(); ++t)
        if (towns[t].Name == name)
            return static_cast<int32_t>(t);
    const std::string folded = Utf8FoldCase(name);
    for (size_t t = 0; t < towns.size(); ++t)
        if (Utf8FoldCase(towns[t].Name) == folded)
            return static_cast<int32_t>(t);
    throw EImportError("Города «" + name +
                       "» на карте нет: его нет в файле, или рядом с ним нет "
                       "дорог выбранных классов.");
}

} // namespace

std::vector<TPlacedTown> PlaceTowns(const TOsmExtract& extract, const TRoadNetwork& network,
                                    const std::vector<bool>& inPart,
                                    const std::optional<TPlaneBox>& box, double joinKilometres,
                                    TOsmImportReport& report, const TImportProgress& progress) {
    std::vector<const TOsmTown*> inside;
    std::vector<TPlanePoint> where;
    std::vector<double> reach;
    for (const TOsmTown& town : extract.Towns) {
        const TPlanePoint p = ProjectLonLat(town.Where.Lon, town.Where.Lat);
        if (box && !box->Contains(p))
            continue;
        inside.push_back(&town);
        where.push_back(p);
        reach.push_back(joinKilometres * PlaneUnitsPerKilometre(town.Where.Lat));
    }
    if (inside.empty())
        throw EImportError("В заданной области нет населённых пунктов.");
    const std::vector<TTownJoin> joins = JoinTowns(network, inPart, where, reach, progress);
    std::vector<TPlacedTown> towns;
    for (size_t t = 0; t < joins.size(); ++t) {
        if (joins[t].Vertex >= 0)
            towns.push_back({TownName(*inside[t]), where[t], joins[t].Vertex});
        else if (joins[t].OtherRoadNear)
            ++report.TownsOnOtherParts;
        else
            ++report.TownsWithoutRoad;
    }
    if (towns.empty()) {
        throw EImportError("Ни один населённый пункт не лежит ближе " + FloatToStr(joinKilometres) +
                           " км к дорогам выбранных классов.");
    }
    return towns;
}

TIntegerArray TownSelection(const std::vector<TPlacedTown>& towns, const std::string& startName,
                            const std::string& endName) {
    if (towns.size() < 2)
        throw EImportError("Для выделения нужны хотя бы два города, а на карте один.");
    std::vector<int32_t> order(towns.size());
    std::iota(order.begin(), order.end(), 0);
    const int32_t start = startName.empty() ? -1 : FindTown(towns, startName);
    const int32_t end = endName.empty() ? -1 : FindTown(towns, endName);
    if (start >= 0 && start == end)
        throw EImportError("Начальный и конечный города должны быть разными.");
    if (start >= 0) {
        const auto at = order.begin() + start;
        std::rotate(order.begin(), at, at + 1);
    }
    if (end >= 0) {
        const auto at = std::find(order.begin(), order.end(), end);
        std::rotate(at, at + 1, order.end());
    }
    TIntegerArray selection;
    for (int32_t id : order)
        selection.Add(id);
    return selection;
}
