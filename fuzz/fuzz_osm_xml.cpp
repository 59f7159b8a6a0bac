// Feeds arbitrary bytes to the OpenStreetMap importer as .osm XML. An input
// may be refused only with EImportError (a Russian message saying what is
// wrong); any other exception escapes and is reported as a crash. An input
// that imports must give a sound map whose roads reach every node, with the
// towns first and, when asked, all of them selected.

#include "ImportFuzzChecks.h"

#include "io/ImportError.h"
#include "io/OsmImport.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TOsmImportSettings settings;
    settings.Places = {"city", "town", "village"};
    settings.Highways.push_back("residential");
    // The length of the input picks the other settings: a box around the
    // point (0, 0), no thinning, and the selection of the towns.
    if (size % 3 == 1)
        settings.Box = TGeoBox{-1, -1, 1, 1};
    if (size % 3 == 2)
        settings.Tolerance = 0;
    settings.SelectTowns = size % 2 == 1;
    TTSPMap map;
    TOsmImportReport report;
    try {
        report = ImportOsmBytes(bytes, "osm", settings, map);
    } catch (const EImportError&) {
        return 0;
    }
    fuzzcheck::CheckImportedMap(map, settings.Surface);
    if (!fuzzcheck::Connected(map))
        fuzzcheck::Fail("roads leave some node unreachable");
    if (report.Towns < 1 || report.Towns + report.TransitPoints != map.Count())
        fuzzcheck::Fail("towns and transit points do not add up to the nodes");
    for (int32_t p = 0; p < map.Count(); ++p)
        if (map.City(p).ThisCity != (p < report.Towns))
            fuzzcheck::Fail("a town after a transit point, or a transit point among the towns");
    if (settings.SelectTowns && map.SelectedCities().Count() != report.Towns)
        fuzzcheck::Fail("not every town selected");
    return 0;
}
