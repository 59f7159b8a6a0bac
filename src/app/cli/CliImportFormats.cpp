// The TSPLIB and CSV importers of the import command, and the parts every
// importer shares.

#include "app/cli/CliImport.h"
#include "app/cli/CliMapSelection.h"
#include "app/cli/CliSolveOutput.h"

#include "io/CsvImport.h"
#include "io/TsplibImport.h"

#include <iostream>

namespace cli {

namespace {

// "complete", "nearest" or "nearest:K".
TRoadOptions ReadRoadOptions(const Args& args) {
    TRoadOptions options;
    const auto text = args.Value("--roads");
    if (!text)
        return options;
    if (*text == "complete") {
        options.Rule = TRoadRule::Complete;
        return options;
    }
    options.Rule = TRoadRule::Nearest;
    if (*text == "nearest")
        return options;
    const auto k = text->starts_with("nearest:") ? ParseInteger(text->substr(8)) : std::nullopt;
    if (!k || *k < 1 || *k >= kMaxMatrixNodes)
        throw UsageError("--roads must be complete, nearest or nearest:K with K from 1 to " +
                         std::to_string(kMaxMatrixNodes - 1) + ", not '" + *text + "'");
    options.Neighbours = static_cast<int32_t>(*k);
    return options;
}

TImportOptions ReadImportOptions(const Args& args) {
    TImportOptions options;
    options.Surface = ReadSurface(args);
    options.Roads = ReadRoadOptions(args);
    return options;
}

std::string RoadRuleName(TRoadSource source) {
    switch (source) {
    case TRoadSource::Complete:
        return "complete";
    case TRoadSource::Nearest:
        return "nearest";
    case TRoadSource::File:
        return "file";
    }
    return "?";
}

std::string RoadsText(int64_t roads, const TImportSummary& summary) {
    std::string text = std::to_string(roads);
    switch (summary.Roads) {
    case TRoadSource::Complete:
        return text + " (every pair)";
    case TRoadSource::Nearest:
        return text + " (" + std::to_string(summary.Neighbours) + " nearest each, " +
               std::to_string(summary.JoiningRoads) + " joining parts)";
    case TRoadSource::File:
        return text + " (from the roads file)";
    }
    return text;
}

void PrintJson(const TImportResult& result, const MapCounts& counts, const TSurfaceSize& surface,
               const std::string& output) {
    const TImportSummary& summary = result.Summary;
    std::string out = "{\"format\":" + JsonString(summary.Format);
    out += ",\"name\":" + JsonString(summary.Name);
    out += ",\"comment\":" + JsonString(summary.Comment);
    out += ",\"nodes\":" + std::to_string(result.Map.Count());
    out += ",\"cities\":" + std::to_string(counts.cities);
    out += ",\"transit_points\":" + std::to_string(counts.transitPoints);
    out += ",\"roads\":" + std::to_string(counts.roads);
    out += ",\"road_rule\":" + JsonString(RoadRuleName(summary.Roads));
    const bool nearest = summary.Roads == TRoadSource::Nearest;
    out += ",\"neighbours\":" + (nearest ? std::to_string(summary.Neighbours) : "null");
    out += ",\"joining_roads\":" + std::to_string(summary.JoiningRoads);
    out += ",\"selected\":" + std::to_string(result.Map.SelectedCities().Count());
    out += ",\"width\":" + JsonNumber(surface.Width);
    out += ",\"height\":" + JsonNumber(surface.Height);
    out += ",\"output\":" + JsonString(output) + "}";
    std::cout << out << "\n";
}

void PrintText(const TImportResult& result, const MapCounts& counts, const TSurfaceSize& surface,
               const std::string& output) {
    const TImportSummary& summary = result.Summary;
    const TTSPMap& map = result.Map;
    std::cout << "format:         " << summary.Format << "\n";
    if (!summary.Name.empty())
        std::cout << "name:           " << summary.Name << "\n";
    if (!summary.Comment.empty())
        std::cout << "comment:        " << summary.Comment << "\n";
    std::cout << "nodes:          " << map.Count() << "\n"
              << "cities:         " << counts.cities << "\n"
              << "transit points: " << counts.transitPoints << "\n"
              << "roads:          " << RoadsText(counts.roads, summary) << "\n"
              << "selection:      ";
    const TIntegerArray& selected = map.SelectedCities();
    if (selected.Count() == 0)
        std::cout << "(none)";
    else
        std::cout << selected.Count() << " cities, from \"" << map.City(selected[0]).Name
                  << "\" to \"" << map.City(selected[selected.Count() - 1]).Name << "\"";
    std::cout << "\nsurface:        " << NumberText(surface.Width) << " x "
              << NumberText(surface.Height) << "\nwritten:        " << output << "\n";
}

} // namespace

std::set<std::string> ImportValueOptions(std::set<std::string> own) {
    own.insert({"--width", "--height", "-o"});
    return own;
}

std::set<std::string> ImportFlags(std::set<std::string> own) {
    own.insert("--json");
    return own;
}

TSurfaceSize ReadSurface(const Args& args) {
    TSurfaceSize surface;
    const auto high = static_cast<int64_t>(kMaxSurfaceSide);
    surface.Width = static_cast<double>(args.Integer("--width", 767, 1, high));
    surface.Height = static_cast<double>(args.Integer("--height", 446, 1, high));
    return surface;
}

void WriteImportedMap(const TImportResult& result, const TSurfaceSize& surface, const Args& args) {
    const std::string output = RequireOutput(args);
    TDisplayFlags flags;
    result.Map.SaveToFile(output, flags);
    const MapCounts counts = CountMap(result.Map);
    if (args.Has("--json"))
        PrintJson(result, counts, surface, output);
    else
        PrintText(result, counts, surface, output);
}

int ImportTsplibCommand(const std::string& input, const Args& args) {
    const TImportOptions options = ReadImportOptions(args);
    RequireOutput(args);
    WriteImportedMap(ImportTsplibFile(input, options), options.Surface, args);
    return 0;
}

int ImportCsvCommand(const std::string& input, const Args& args) {
    const TImportOptions options = ReadImportOptions(args);
    RequireOutput(args);
    const std::string roadsFile = args.Value("--roads-file").value_or("");
    WriteImportedMap(ImportCsvFile(input, roadsFile, options), options.Surface, args);
    return 0;
}

} // namespace cli
