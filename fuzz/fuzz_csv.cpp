// Feeds arbitrary bytes to the city-list importer: the bytes before the
// first NUL are the city list, those after it (if any) the roads file. A
// file may be refused only with EImportError; any other exception escapes
// and is reported as a crash. A list that imports must give a sound map, and
// without a roads file its roads must reach every node.

#include "ImportFuzzChecks.h"

#include "io/CsvImport.h"
#include "io/ImportError.h"

#include <cstdint>
#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string_view cities = bytes;
    std::optional<std::string_view> roads;
    if (const size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
        cities = bytes.substr(0, nul);
        roads = bytes.substr(nul + 1);
    }
    TImportOptions options;
    if (size % 2 == 1)
        options.Roads = {TRoadRule::Nearest, static_cast<int32_t>(1 + size % 5)};
    TImportResult result;
    try {
        result = ImportCsv(cities, roads, options);
    } catch (const EImportError&) {
        return 0;
    }
    fuzzcheck::CheckImportedMap(result.Map, options.Surface);
    if (!roads && !fuzzcheck::Connected(result.Map))
        fuzzcheck::Fail("roads leave some node unreachable");
    return 0;
}
