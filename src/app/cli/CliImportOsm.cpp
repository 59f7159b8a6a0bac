// The OpenStreetMap importer of the import command (.osm, .osm.pbf, .osm.bz2).

#include "app/cli/CliImport.h"
#include "app/cli/CliSolveOutput.h"

#include "io/OsmImport.h"

#include <iostream>
#include <sstream>
#include <vector>

namespace cli {

namespace {

std::vector<std::string> SplitList(const std::string& text, const std::string& option) {
    std::vector<std::string> items;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ','))
        if (!item.empty())
            items.push_back(item);
    if (items.empty())
        throw UsageError(option + " needs a comma-separated list");
    return items;
}

std::vector<std::string> HighwayValues(const Args& args) {
    std::vector<std::string> values;
    if (auto classes = args.Value("--highways")) {
        for (const std::string& name : SplitList(*classes, "--highways")) {
            values.push_back(name);
            if (!name.ends_with("_link"))
                values.push_back(name + "_link");
        }
    } else {
        values = TOsmImportSettings::DefaultHighways();
    }
    if (args.Has("--minor-roads")) {
        values.push_back("unclassified");
        values.push_back("residential");
    }
    return values;
}

TGeoBox ParseBox(const std::string& text) {
    std::vector<double> edges;
    for (const std::string& item : SplitList(text, "--bbox")) {
        const auto value = ParseReal(item);
        if (!value)
            throw UsageError("--bbox takes four numbers W,S,E,N, not '" + text + "'");
        edges.push_back(*value);
    }
    if (edges.size() != 4)
        throw UsageError("--bbox takes four numbers W,S,E,N, not '" + text + "'");
    return {edges[0], edges[1], edges[2], edges[3]};
}

TOsmImportSettings SettingsOf(const Args& args) {
    TOsmImportSettings settings;
    settings.Highways = HighwayValues(args);
    if (auto places = args.Value("--places"))
        settings.Places = SplitList(*places, "--places");
    settings.Tolerance = args.Real("--tolerance", 2.0, 0, 1000);
    settings.JoinKilometres = args.Real("--join", 5.0, 0.001, 1000);
    if (auto box = args.Value("--bbox"))
        settings.Box = ParseBox(*box);
    settings.Surface = ReadSurface(args);
    if (auto select = args.Value("--select")) {
        if (*select != "towns")
            throw UsageError("--select takes 'towns', not '" + *select + "'");
        settings.SelectTowns = true;
    }
    settings.StartName = args.Value("--start").value_or("");
    settings.EndName = args.Value("--end").value_or("");
    if (!settings.SelectTowns && (args.Has("--start") || args.Has("--end")))
        throw UsageError("--start and --end go with --select towns");
    return settings;
}

void PrintReport(const TOsmImportReport& r, const std::string& output, bool json) {
    // Shares of the length lost, as negative percentages (never "-0").
    const double change = r.LengthAfter < r.LengthBefore
                              ? (r.LengthAfter - r.LengthBefore) / r.LengthBefore * 100
                              : 0;
    const double worst = r.WorstRoadShortening > 0 ? -r.WorstRoadShortening * 100 : 0;
    if (json) {
        std::cout << "{\"format\":\"OpenStreetMap\",\"towns\":" << r.Towns
                  << ",\"transit_points\":" << r.TransitPoints << ",\"roads\":" << r.Roads
                  << ",\"towns_left_out\":" << r.TownsLeftOut()
                  << ",\"towns_without_road\":" << r.TownsWithoutRoad
                  << ",\"towns_on_other_parts\":" << r.TownsOnOtherParts
                  << ",\"road_length_before\":" << JsonNumber(r.LengthBefore)
                  << ",\"road_length_after\":" << JsonNumber(r.LengthAfter)
                  << ",\"worst_road_shortening\":" << JsonNumber(r.WorstRoadShortening)
                  << ",\"output\":" << JsonString(output) << "}\n";
        return;
    }
    std::cout << "imported: " << r.Towns << " towns, " << r.TransitPoints << " transit points, "
              << r.Roads << " roads; towns left out: " << r.TownsLeftOut() << " ("
              << r.TownsWithoutRoad << " with no road near, " << r.TownsOnOtherParts
              << " near cut-off roads only)\n"
              << "thinning: road length " << FixedText(r.LengthBefore, 1) << " px -> "
              << FixedText(r.LengthAfter, 1) << " px (" << FixedText(change, 3)
              << " %), worst road " << FixedText(worst, 3) << " %\n"
              << "written: " << output << "\n";
}

} // namespace

int ImportOsmCommand(const std::string& input, const Args& args) {
    const TOsmImportSettings settings = SettingsOf(args);
    const std::string output = RequireOutput(args);
    TTSPMap map;
    const TOsmImportReport report = ImportOsmFile(input, settings, map);
    map.SaveToFile(output, TDisplayFlags{});
    PrintReport(report, output, args.Has("--json"));
    return 0;
}

} // namespace cli
