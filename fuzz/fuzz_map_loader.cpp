// Feeds arbitrary bytes to the map file loader. A file may be refused only
// with the errors a map file can raise (bad map, bad number, bad file, bad
// index); anything else escapes and is reported as a crash. A file that loads
// must give a consistent map, and saving it must give a file that loads back
// to the same map.

#include "core/TSPErrors.h"
#include "map/TSPMap.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int32_t kMaxRoundTripNodes = 1000;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_map_loader: %s\n", what);
    std::abort();
}

bool Load(TTSPMap& map, const std::string& bytes, TDisplayFlags& flags) {
    try {
        map.LoadFromBytes(bytes, flags);
        return true;
    } catch (const ETSPError&) {
    } catch (const EConvertError&) {
    } catch (const EFileError&) {
    } catch (const EIntArrayError&) {
    }
    return false;
}

void CheckConsistent(const TTSPMap& map) {
    if (!map.IdsArePositions())
        Fail("loaded map has IDs that are not positions");
    for (int32_t p = 0; p < map.Count(); ++p) {
        const TCity& city = map.City(p);
        if (city.ID != p)
            Fail("node ID differs from its position");
        for (int32_t road : city.Roads)
            if (road < 0 || road >= map.Count())
                Fail("road to a node that does not exist");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TTSPMap map;
    TDisplayFlags flags;
    if (!Load(map, bytes, flags))
        return 0;
    CheckConsistent(map);
    // The round trip is checked on maps of a size a user draws; on the
    // largest ones it would only slow the search down.
    if (map.Count() > kMaxRoundTripNodes)
        return 0;

    // Saving is lossless from the first save on: numbers are written with 15
    // digits, so the loaded map may differ from the file in the last digits,
    // but a saved map must load back and save to the very same bytes.
    const std::string saved = map.SaveToBytes(flags);
    TTSPMap again;
    TDisplayFlags againFlags;
    if (!Load(again, saved, againFlags))
        Fail("a saved map does not load");
    CheckConsistent(again);
    if (again.SelectedCities() != map.SelectedCities() || again.Count() != map.Count())
        Fail("a saved map loads back with other nodes or selection");
    if (againFlags.ShowPath != flags.ShowPath || againFlags.ShowRoads != flags.ShowRoads ||
        againFlags.ShowCityName != flags.ShowCityName)
        Fail("a saved map loads back with other display flags");
    if (again.SaveToBytes(againFlags) != saved)
        Fail("saving a saved map gives other bytes");
    return 0;
}
