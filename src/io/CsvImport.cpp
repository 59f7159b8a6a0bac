#include "io/CsvImport.h"

#include "io/CsvCityList.h"
#include "io/ImportError.h"
#include "io/ImportText.h"

namespace {

// "Строка 5: ..." of the roads file becomes "Файл дорог, строка 5: ...".
std::string InRoadsFile(std::string_view message) {
    constexpr std::string_view kLine = "Строка ";
    if (message.starts_with(kLine))
        return "Файл дорог, строка " + std::string(message.substr(kLine.size()));
    return "Файл дорог: " + std::string(message);
}

} // namespace

TImportResult ImportCsv(std::string_view cityBytes, std::optional<std::string_view> roadBytes,
                        const TImportOptions& options) {
    TCsvCityList cities = ReadCsvCityList(DecodeImportedText(cityBytes));
    std::vector<TPlanePoint> points;
    points.reserve(cities.Nodes.size());
    for (const TImportedNode& node : cities.Nodes)
        points.push_back(node.Point);
    FitToSurface(points, options.Surface);
    for (size_t p = 0; p < points.size(); ++p)
        cities.Nodes[p].Point = points[p];

    TImportResult result;
    result.Summary.Format = "CSV";
    TRoadLists roads;
    if (roadBytes) {
        try {
            roads = ReadCsvRoadList(DecodeImportedText(*roadBytes), cities);
        } catch (const EImportError& error) {
            throw EImportError(InRoadsFile(error.what()));
        }
        result.Summary.Roads = TRoadSource::File;
    } else {
        roads = MakeRoads(cities.Nodes, options.Roads, result.Summary);
    }
    result.Map = AssembleMap(cities.Nodes, roads, cities.Selection);
    return result;
}

TImportResult ImportCsvFile(const std::string& path, const std::string& roadsPath,
                            const TImportOptions& options) {
    const std::string cityBytes = ReadMapFileBytes(path);
    if (roadsPath.empty())
        return ImportCsv(cityBytes, std::nullopt, options);
    const std::string roadBytes = ReadMapFileBytes(roadsPath);
    return ImportCsv(cityBytes, roadBytes, options);
}
