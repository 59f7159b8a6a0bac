// Feeds arbitrary bytes to the TSPLIB importer. A file may be refused only
// with EImportError (a message with the line and what was expected); any
// other exception escapes and is reported as a crash. A file that imports
// must give a sound map whose roads reach every node.

#include "ImportFuzzChecks.h"

#include "io/ImportError.h"
#include "io/TsplibImport.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Both road rules are exercised: the length of the input picks one.
    TImportOptions options;
    if (size % 2 == 1)
        options.Roads = {TRoadRule::Nearest, static_cast<int32_t>(1 + size % 5)};
    TImportResult result;
    try {
        result = ImportTsplib(bytes, options);
    } catch (const EImportError&) {
        return 0;
    }
    fuzzcheck::CheckImportedMap(result.Map, options.Surface);
    if (!fuzzcheck::Connected(result.Map))
        fuzzcheck::Fail("roads leave some node unreachable");
    if (result.Map.SelectedCities().Count() != result.Map.Count())
        fuzzcheck::Fail("not every node selected");
    return 0;
}
