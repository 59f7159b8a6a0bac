// generate, select and info: making, selecting and describing maps.

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/CliMapSelection.h"

#include "core/TSPErrors.h"
#include "map/RandomMap.h"
#include "map/TSPMap.h"

#include <iostream>
#include <set>

namespace cli {

namespace {

const char* const kGenerateHelp =
    R"(Usage: trasolan-cli generate -n N [-p P] [-t T] [--ring] [--seed S] [--select K]
                            [--width W] [--height H] -o MAP.ga

Makes a random map the way the program's "Создать N случайных городов" does:
N nodes scattered over a W x H drawing area (or around a ring in it), and
P percent of all node pairs joined by roads.

  -n N          number of nodes (default 25, at most 32767)
  -p P          road share in percent (default 75)
  -t T          transit-point share in percent (default 0)
  --ring        place the nodes around a circle
  --seed S      seed of the random generator (default: from the clock);
                the same seed always gives the same file
  --select K    select K cities afterwards (see below)
  --width W     drawing area width (default 767, the map view's)
  --height H    drawing area height (default 446)
  -o MAP.ga     file to write

How --select chooses: the candidates are the cities (not transit points) of
the largest group of nodes joined by roads, in ID order. K of them are drawn
with the same generator right after the map, without repeats, and selected in
the order drawn: the first drawn is the start, the last drawn the end. So the
task can always be solved, and the same seed gives the same selection.
)";

const char* const kSelectHelp =
    R"(Usage: trasolan-cli select MAP.ga ID... -o OUT.ga

Loads a map, sets its ordered selection of cities to the given node IDs (the
first is where a route starts, the last where it ends) and saves it. Every ID
must name a node, and none may repeat.
)";

const char* const kInfoHelp =
    R"(Usage: trasolan-cli info MAP.ga

Prints the numbers of nodes, cities, transit points and roads, the selection,
and whether the task can be solved (every selected city can be reached along
the roads). Exits with 1 and the error message when the file cannot be read.
)";

} // namespace

int RunGenerate(const Arguments& arguments) {
    Args args(arguments, {"-n", "-p", "-t", "--seed", "--select", "--width", "--height", "-o"},
              {"--ring"});
    if (args.WantsHelp()) {
        std::cout << kGenerateHelp;
        return 0;
    }
    if (!args.Positional().empty())
        throw UsageError("unexpected argument '" + args.Positional().front() + "'");

    TRandomMapSettings settings;
    settings.Count = static_cast<int32_t>(args.Integer("-n", 25, 0, kMaxNodes));
    settings.RoadShare = static_cast<int32_t>(args.Integer("-p", 75, 0, 100));
    settings.TransitShare = static_cast<int32_t>(args.Integer("-t", 0, 0, 100));
    settings.Ring = args.Has("--ring");
    settings.Width = static_cast<int32_t>(args.Integer("--width", 767, 1, 1'000'000));
    settings.Height = static_cast<int32_t>(args.Integer("--height", 446, 1, 1'000'000));
    const std::string output = RequireOutput(args);
    std::optional<uint32_t> seed;
    if (args.Has("--seed"))
        seed = static_cast<uint32_t>(args.Integer("--seed", 0, 0, 4294967295LL));
    const int64_t select = args.Integer("--select", 0, 0, kMaxNodes);
    if (args.Has("--select") && select < 2)
        throw UsageError("--select needs at least 2 cities");

    TTSPMap map;
    TDisplayFlags flags;
    GenerateRandomMap(map, settings, flags, seed);
    if (select > 0)
        map.SetSelection(DrawConnectedSelection(map, static_cast<int32_t>(select)));
    map.SaveToFile(output, flags);
    return 0;
}

int RunSelect(const Arguments& arguments) {
    Args args(arguments, {"-o"}, {});
    if (args.WantsHelp()) {
        std::cout << kSelectHelp;
        return 0;
    }
    if (args.Positional().size() < 3)
        throw UsageError("a map file and at least two node IDs are needed");
    const std::string output = RequireOutput(args);

    TTSPMap map;
    TDisplayFlags flags;
    map.LoadFromFile(args.Positional().front(), flags);

    TIntegerArray selection;
    std::set<int64_t> seen;
    for (size_t i = 1; i < args.Positional().size(); ++i) {
        const std::string& text = args.Positional()[i];
        const auto id = ParseInteger(text);
        if (!id || *id < 0 || *id >= map.Count())
            throw UsageError("'" + text + "' is not the ID of a node of this map (0 to " +
                             std::to_string(map.Count() - 1) + ")");
        if (!seen.insert(*id).second)
            throw UsageError("node " + text + " is selected twice");
        selection.Add(static_cast<int32_t>(*id));
    }
    map.SetSelection(selection);
    map.SaveToFile(output, flags);
    return 0;
}

int RunInfo(const Arguments& arguments) {
    Args args(arguments, {}, {});
    if (args.WantsHelp()) {
        std::cout << kInfoHelp;
        return 0;
    }
    if (args.Positional().size() != 1)
        throw UsageError("exactly one map file is needed");

    TTSPMap map;
    TDisplayFlags flags;
    map.LoadFromFile(args.Positional().front(), flags);

    const MapCounts counts = CountMap(map);
    std::cout << "nodes:          " << map.Count() << "\n"
              << "cities:         " << counts.cities << "\n"
              << "transit points: " << counts.transitPoints << "\n"
              << "roads:          " << counts.roads << "\n";
    if (counts.oneWayEntries > 0)
        std::cout << "one-way roads:  " << counts.oneWayEntries << "\n";
    std::cout << "selection:      ";
    const TIntegerArray& selected = map.SelectedCities();
    if (selected.Count() == 0)
        std::cout << "(none)";
    for (int32_t i = 0; i < selected.Count(); ++i) {
        const int32_t id = selected[i];
        const int32_t at = map.IndexOfID(id);
        std::cout << (i ? ", " : "") << id;
        if (at >= 0)
            std::cout << " \"" << map.City(at).Name << "\"";
    }
    std::cout << "\n";
    try {
        map.CheckTask();
        std::cout << "solvable:       yes, every selected city can be reached by road\n";
    } catch (const ETSPError& error) {
        std::cout << "solvable:       no: " << error.what() << "\n";
    }
    return 0;
}

} // namespace cli
