#include "OsmTestSupport.h"

#include "io/ImportError.h"

#include <gtest/gtest.h>
#include <osmium/io/any_input.hpp>
#include <osmium/io/any_output.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <unistd.h>

namespace osmtest {

std::string SamplePath(const std::string& name) {
    return std::string(TRASOLAN_OSM_SAMPLES) + "/" + name;
}

std::string TempPath(const std::string& name) {
    static struct Written {
        std::vector<std::string> paths;
        ~Written() {
            for (const std::string& path : paths)
                std::remove(path.c_str());
        }
    } written;
    const std::string path =
        ::testing::TempDir() + "/trasolan-" + std::to_string(getpid()) + "-" + name;
    written.paths.push_back(path);
    return path;
}

std::string Rewritten(const std::string& name, const std::string& suffix) {
    if (suffix.empty())
        return SamplePath(name);
    const std::string output = TempPath(name + suffix);
    osmium::io::Reader reader(SamplePath(name));
    osmium::io::Writer writer(output, reader.header(), osmium::io::overwrite::allow);
    while (osmium::memory::Buffer buffer = reader.read())
        writer(std::move(buffer));
    writer.close();
    reader.close();
    return output;
}

std::string ImportMessage(const std::string& path, const TOsmImportSettings& settings) {
    TTSPMap map;
    try {
        ImportOsmFile(path, settings, map);
    } catch (const EImportError& error) {
        return error.what();
    }
    return {};
}

std::string ImportBytesMessage(const std::string& bytes, const TOsmImportSettings& settings) {
    TTSPMap map;
    try {
        ImportOsmBytes(bytes, "osm", settings, map);
    } catch (const EImportError& error) {
        return error.what();
    }
    return {};
}

int32_t FindNode(const TTSPMap& map, const std::string& name) {
    for (int32_t p = 0; p < map.Count(); ++p)
        if (map.City(p).Name == name)
            return p;
    return -1;
}

int32_t CountTransitWithRoads(const TTSPMap& map, int32_t roads) {
    return static_cast<int32_t>(
        std::count_if(map.Cities().begin(), map.Cities().end(), [roads](const TCity& city) {
            return !city.ThisCity && city.Roads.Count() == roads;
        }));
}

double DistanceToRoads(const TTSPMap& map, double x, double y) {
    double nearest = INFINITY;
    for (const TCity& a : map.Cities()) {
        for (int32_t to : a.Roads) {
            const TCity& b = map.City(to);
            const double dx = b.X - a.X, dy = b.Y - a.Y;
            const double length2 = dx * dx + dy * dy;
            const double t = length2 > 0
                                 ? std::clamp(((x - a.X) * dx + (y - a.Y) * dy) / length2, 0.0, 1.0)
                                 : 0.0;
            nearest = std::min(nearest, std::hypot(x - a.X - t * dx, y - a.Y - t * dy));
        }
    }
    return nearest;
}

} // namespace osmtest
