// The import pipeline: read, cut to the box, keep the largest part, join the
// towns, fit into the surface, thin, check the limits, build the map.

#include "io/OsmImport.h"

#include "io/ImportError.h"
#include "io/ImportLimits.h"
#include "io/LineThinning.h"
#include "io/OsmExtract.h"
#include "io/OsmMapAssembly.h"
#include "io/OsmTowns.h"
#include "io/RoadNetwork.h"
#include "io/SurfaceFit.h"

#include <algorithm>

namespace {

// What makes an imported map smaller. Before thinning only fewer roads help:
// junctions and ends stay whatever the tolerance.
const char* const kFewerJunctionsAdvice =
    "Столько в ней одних перекрёстков и концов дорог: выберите более высокий класс дорог "
    "или ограничьте область прямоугольником.";
const char* const kSmallerMapAdvice =
    "Выберите более высокий класс дорог, увеличьте допуск упрощения формы дорог или "
    "ограничьте область прямоугольником.";

TOsmFilter FilterOf(const TOsmImportSettings& settings) {
    TOsmFilter filter;
    filter.Highways.insert(settings.Highways.begin(), settings.Highways.end());
    filter.Places.insert(settings.Places.begin(), settings.Places.end());
    return filter;
}

std::string JoinedList(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

void CheckSettings(const TOsmImportSettings& s) {
    CheckSurfaceSize(s.Surface);
    if (s.Highways.empty() || s.Places.empty())
        throw EImportError("Не заданы классы дорог или виды населённых пунктов.");
    if (!(s.Tolerance >= 0 && s.Tolerance <= 1000))
        throw EImportError("Допуск упрощения дорог должен лежать от 0 до 1000 пикселей.");
    // Below a metre the grid of the town search would need more cells than
    // its numbers can count.
    if (!(s.JoinKilometres >= 0.001 && s.JoinKilometres <= 1000))
        throw EImportError("Расстояние от города до дороги должно лежать от 0,001 до 1000 км.");
    if (s.Box &&
        !(s.Box->West < s.Box->East && s.Box->South < s.Box->North && s.Box->West >= -180 &&
          s.Box->East <= 180 && s.Box->South >= -90 && s.Box->North <= 90)) {
        throw EImportError("Прямоугольник области задан неверно: нужны запад < восток и юг < "
                           "север, долготы от −180 до 180, широты от −90 до 90.");
    }
}

std::string RoadClassList(const std::vector<std::string>& highways) {
    std::vector<std::string> classes;
    for (const std::string& value : highways)
        if (!value.ends_with("_link"))
            classes.push_back(value);
    return JoinedList(classes.empty() ? highways : classes);
}

void RefuseEmpty(const TOsmExtract& extract, const TOsmImportSettings& settings) {
    if (extract.WayCount() == 0) {
        throw EImportError("В файле нет дорог выбранных классов (" +
                           RoadClassList(settings.Highways) +
                           "). Добавьте классы дорог, например unclassified и residential.");
    }
    if (extract.Towns.empty()) {
        throw EImportError(
            "В файле нет населённых пунктов (place = " + JoinedList(settings.Places) + ").");
    }
}

std::optional<TPlaneBox> PlaneBoxOf(const std::optional<TGeoBox>& box) {
    if (!box)
        return std::nullopt;
    // The plane's y grows southward.
    const TPlanePoint northWest = ProjectLonLat(box->West, box->North);
    const TPlanePoint southEast = ProjectLonLat(box->East, box->South);
    return TPlaneBox{northWest.X, northWest.Y, southEast.X, southEast.Y};
}

TRoadNetwork PlaceRoads(const TOsmExtract& extract, const TOsmImportSettings& settings,
                        const TImportProgress& progress) {
    std::vector<TPlanePoint> points(extract.NodeIds.size());
    for (size_t i = 0; i < points.size(); ++i)
        if (extract.NodeKnown[i])
            points[i] = ProjectLonLat(extract.NodePoints[i].Lon, extract.NodePoints[i].Lat);
    TRoadNetwork network =
        BuildRoadPieces(extract, std::move(points), PlaneBoxOf(settings.Box), progress);
    if (network.Pieces.Count() == 0) {
        throw EImportError(settings.Box ? "В заданной области нет дорог выбранных классов."
                                        : "В файле нет положений узлов дорог: выдержка неполна.");
    }
    return network;
}

int32_t CountVertices(const TPolylines& roads, size_t vertexCount) {
    std::vector<bool> seen(vertexCount, false);
    int32_t count = 0;
    for (int32_t v : roads.Vertices)
        if (!seen[static_cast<size_t>(v)]) {
            seen[static_cast<size_t>(v)] = true;
            ++count;
        }
    return count;
}

// Vertices that end a road: junctions, ends and the towns' road nodes.
int32_t CountRoadEnds(const TPolylines& roads, size_t vertexCount) {
    TPolylines ends;
    for (size_t line = 0; line < roads.Count(); ++line) {
        ends.Add(*roads.Begin(line));
        ends.Add(roads.End(line)[-1]);
    }
    return CountVertices(ends, vertexCount);
}

// Pixels of every vertex the roads use, and of the towns, fitted together.
std::vector<TPlanePoint> PlaceOnSurface(const TRoadNetwork& network, const TPolylines& roads,
                                        std::vector<TPlacedTown>& towns,
                                        const TOsmImportSettings& settings) {
    std::vector<TPlanePoint> used;
    used.reserve(roads.Vertices.size() + towns.size());
    for (int32_t v : roads.Vertices)
        used.push_back(network.Points[static_cast<size_t>(v)]);
    for (const TPlacedTown& town : towns)
        used.push_back(town.Pixel);
    const TPlaneBounds bounds = TPlaneBounds::Of(used);
    const TSurfaceFit fit(bounds, settings.Surface);
    std::vector<TPlanePoint> pixels(network.Points.size());
    for (int32_t v : roads.Vertices)
        pixels[static_cast<size_t>(v)] = fit.Apply(network.Points[static_cast<size_t>(v)]);
    for (TPlacedTown& town : towns)
        town.Pixel = fit.Apply(town.Pixel);
    return pixels;
}

TOsmImportReport Import(const TOsmSource& source, const TOsmImportSettings& settings, TTSPMap& map,
                        const TImportProgress& progress) {
    CheckSettings(settings);
    const TOsmExtract extract = ReadOsmExtract(source, FilterOf(settings), progress);
    RefuseEmpty(extract, settings);
    const TRoadNetwork network = PlaceRoads(extract, settings, progress);
    progress.Advance(84);
    const std::vector<bool> inPart = LargestPart(network, progress);
    TOsmImportReport report;
    std::vector<TPlacedTown> towns = PlaceTowns(extract, network, inPart, PlaneBoxOf(settings.Box),
                                                settings.JoinKilometres, report, progress);
    std::vector<bool> forced(network.Points.size(), false);
    for (const TPlacedTown& town : towns)
        forced[static_cast<size_t>(town.Vertex)] = true;
    const TPolylines roads = SplitIntoRoads(network, inPart, forced, progress);
    const auto townCount = static_cast<int32_t>(towns.size());
    const int32_t roadEnds = CountRoadEnds(roads, network.Points.size());
    CheckImportLimits(townCount + roadEnds, 0, kFewerJunctionsAdvice);
    progress.Advance(88);

    const std::vector<TPlanePoint> pixels = PlaceOnSurface(network, roads, towns, settings);
    const TThinningResult thinned = ThinRoads(roads, pixels, settings.Tolerance,
                                              kMaxMatrixNodes - townCount - roadEnds, progress);
    if (thinned.Exceeded) {
        throw EImportError("После упрощения формы дорог на карте осталось бы больше узлов, "
                           "чем принимает решатель (не более " +
                           std::to_string(kMaxMatrixNodes) + "). " + kSmallerMapAdvice);
    }
    const auto segments =
        static_cast<int64_t>(thinned.Roads.Vertices.size() - thinned.Roads.Count());
    CheckImportLimits(townCount + CountVertices(thinned.Roads, network.Points.size()),
                      2 * (segments + townCount), kSmallerMapAdvice);
    progress.Advance(95);

    const TOsmMapParts parts = OsmMapParts(towns, thinned.Roads, pixels);
    const TIntegerArray selection = settings.SelectTowns
                                        ? TownSelection(towns, settings.StartName, settings.EndName)
                                        : TIntegerArray();
    TTSPMap result = AssembleMap(parts.Nodes, parts.Roads, selection);
    report.Roads = parts.RoadCount;
    report.Towns = townCount;
    report.TransitPoints = result.Count() - townCount;
    report.LengthBefore = thinned.LengthBefore;
    report.LengthAfter = thinned.LengthAfter;
    report.WorstRoadShortening = thinned.WorstShortening;
    map = std::move(result);
    progress.Advance(100);
    return report;
}

} // namespace

std::vector<std::string> TOsmImportSettings::DefaultHighways() {
    return {"motorway",     "motorway_link", "trunk",          "trunk_link", "primary",
            "primary_link", "secondary",     "secondary_link", "tertiary",   "tertiary_link"};
}

TOsmImportReport ImportOsmFile(const std::string& path, const TOsmImportSettings& settings,
                               TTSPMap& map, const TImportProgress& progress) {
    TOsmSource source;
    source.Path = path;
    return Import(source, settings, map, progress);
}

TOsmImportReport ImportOsmBytes(std::string_view bytes, const std::string& format,
                                const TOsmImportSettings& settings, TTSPMap& map,
                                const TImportProgress& progress) {
    TOsmSource source;
    source.Bytes = bytes;
    source.Format = format;
    return Import(source, settings, map, progress);
}
