// import: maps from files of other programs, chosen by the file's extension.

#include "app/cli/CliCommands.h"
#include "app/cli/CliImport.h"

#include "io/CsvImport.h"
#include "io/TsplibImport.h"
#include "map/TSPMap.h"

#include <iostream>
#include <set>
#include <string_view>
#include <vector>

namespace cli {

namespace {

const char* const kImportHelp =
    R"(Usage: trasolan-cli import FILE.tsp|FILE.csv [--roads-file ROADS.csv]
                          [--roads complete|nearest[:K]] [--width W] [--height H]
                          [--json] -o MAP.ga
       trasolan-cli import FILE.osm|FILE.osm.pbf|FILE.osm.bz2 [--highways CLASSES]
                          [--minor-roads] [--places KINDS] [--tolerance PX]
                          [--join KM] [--bbox W,S,E,N] [--width W] [--height H]
                          [--select towns [--start NAME] [--end NAME]] [--json]
                          -o MAP.ga

Makes a map from a file of another program; the file's extension says which:

  .tsp  a TSPLIB problem of the symmetric TSP with node coordinates
        (EDGE_WEIGHT_TYPE EUC_2D, CEIL_2D, ATT or GEO; MAN_2D and MAX_2D are
        placed alike). Every node becomes a city named by its number in the
        file; all are selected in file order, so the route runs from the
        first node of the file to the last.
  .csv  a city list with a header row: name, x and y, or longitude and
        latitude (lon/long/longitude/lng, lat/latitude), in any order and
        letter case; optional city (1 a city, 0 a transit point), selected
        (order number in the route; without this column every city is
        selected in file order) and id. Separator ';', ',' or tab, decimal
        comma or point, UTF-8 or Windows-1251.
  .osm, .osm.pbf, .osm.bz2 (also .pbf)
        an OpenStreetMap extract: its roads and towns (see below).

Coordinates are fitted into a surface of W x H pixels with one scale for
both axes, centred, with a margin of 20 pixels on each side (an eighth of
the shorter side on surfaces under 160 pixels). Longitudes and latitudes
(GEO, lon/lat) are projected with Web Mercator, north up; plane coordinates
keep their direction (y grows downward, as on the map).

  --roads complete    every pair of nodes joined, both ways
  --roads nearest:K   each node joined both ways to its K nearest nodes
                      (nearest alone: K = 8); parts left apart are then
                      joined by their closest pairs, so every node can be
                      reached
                      (default: complete while it stays within the program's
                      5000000 roads, that is up to 3162 nodes; else nearest:8)
  --roads-file R.csv  (CSV only) the roads: columns from and to, each a
                      city's name, its id or its number in the list from 1
  --width W           surface width (default 767, the map view's)
  --height H          surface height (default 446)
  --json              print the result as one JSON object
  -o MAP.ga           file to write

Maps beyond the program's limits are refused: 16384 nodes (the solver's
table of distances), 5000000 roads.

OpenStreetMap extracts. Roads are the ways tagged highway of the chosen
classes. Every road goes both ways: one-way tags (oneway=yes and the like)
are ignored, since the map has no one-way roads. Nodes where roads meet or
end become transit points; between them the shape is thinned
(Douglas-Peucker) so that no dropped node lies farther than the tolerance
from the drawn road, and the nodes kept become transit points too. Towns are
the nodes tagged place=city or town (village on request), named by name:ru,
else name; each is joined both ways to the nearest road node within --join
kilometres, and towns farther from every road are left out and counted.
Only the largest connected part of the roads (by length) is kept, with its
towns, so every town can be reached from every other. Towns get IDs 0, 1, ... in
the order of the file; nothing is selected unless asked. A map beyond the
limits is refused with advice: higher road classes, a larger tolerance or a
smaller box.

  --highways CLASSES  highway classes, comma-separated, each with its _link
                      ways (default motorway,trunk,primary,secondary,tertiary)
  --minor-roads       add unclassified and residential roads
  --places KINDS      place kinds taken as towns (default city,town)
  --tolerance PX      thinning tolerance in pixels of the surface (default 2;
                      0 keeps every node off a straight line)
  --join KM           farthest a town may be from its road (default 5)
  --bbox W,S,E,N      only what lies inside this box (degrees of longitude
                      and latitude); roads that leave it end on its edge
  --select towns      select every town in the order of the file, or from
                      --start NAME to --end NAME (names as on the map)
)";

struct TImporter {
    std::vector<std::string_view> Extensions; // lower case, with the dot
    std::set<std::string> ValueOptions;       // its own, beside the shared ones
    std::set<std::string> Flags;
    int (*Run)(const std::string& input, const Args& args);
};

// One line per file type.
const TImporter kImporters[] = {
    {{".tsp"}, {"--roads"}, {}, &ImportTsplibCommand},
    {{".csv"}, {"--roads", "--roads-file"}, {}, &ImportCsvCommand},
    {{".osm", ".osm.pbf", ".osm.bz2", ".pbf"},
     {"--highways", "--places", "--tolerance", "--join", "--bbox", "--select", "--start", "--end"},
     {"--minor-roads"},
     &ImportOsmCommand},
};

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The importer whose extension ends the path; the longest wins (".osm.pbf"
// before ".pbf").
const TImporter* FindImporter(const std::string& path) {
    const std::string lower = LowerAscii(path);
    const TImporter* found = nullptr;
    size_t longest = 0;
    for (const TImporter& importer : kImporters)
        for (std::string_view extension : importer.Extensions)
            if (lower.ends_with(extension) && extension.size() > longest) {
                found = &importer;
                longest = extension.size();
            }
    return found;
}

std::string KnownExtensions() {
    std::string known;
    for (const TImporter& importer : kImporters)
        for (std::string_view extension : importer.Extensions)
            known += (known.empty() ? "" : ", ") + std::string(extension);
    return known;
}

} // namespace

int RunImport(const Arguments& arguments) {
    // The file to import is the first argument that is no option's value;
    // every importer's options are known here, so their values are skipped.
    std::set<std::string> anyValueOption, anyFlag;
    for (const TImporter& importer : kImporters) {
        anyValueOption.merge(ImportValueOptions(importer.ValueOptions));
        anyFlag.merge(ImportFlags(importer.Flags));
    }
    const Args loose(arguments, anyValueOption, anyFlag);
    if (loose.WantsHelp()) {
        std::cout << kImportHelp;
        return 0;
    }
    if (loose.Positional().empty())
        throw UsageError("a file to import is needed (" + KnownExtensions() + ")");
    const std::string& input = loose.Positional().front();
    const TImporter* importer = FindImporter(input);
    if (!importer)
        throw UsageError("'" + input + "' is not a file type import knows (" + KnownExtensions() +
                         ")");
    const Args args(arguments, ImportValueOptions(importer->ValueOptions),
                    ImportFlags(importer->Flags));
    if (args.Positional().size() > 1)
        throw UsageError("unexpected argument '" + args.Positional()[1] + "'");
    return importer->Run(input, args);
}

} // namespace cli
