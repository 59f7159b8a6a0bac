// Building the map of an import: nodes and two-way roads.

#include "io/OsmMapAssembly.h"

namespace {

class Assembly {
public:
    Assembly(TTSPMap& map, size_t vertexCount) : map_(map), nodeOf_(vertexCount, -1) {}

    int32_t AddNode(const std::string& name, TPlanePoint pixel, bool isCity) {
        TCity city;
        city.ID = map_.Count();
        // Transit points are named by their ID, as the program names new nodes.
        city.Name = isCity ? name : std::to_string(city.ID);
        city.X = pixel.X;
        city.Y = pixel.Y;
        city.ThisCity = isCity;
        return map_.AddCity(city);
    }

    int32_t NodeOf(int32_t vertex, const std::vector<TPlanePoint>& pixels) {
        int32_t& node = nodeOf_[static_cast<size_t>(vertex)];
        if (node < 0)
            node = AddNode({}, pixels[static_cast<size_t>(vertex)], false);
        return node;
    }

    // A two-way road, unless the nodes are one or are joined already (two
    // ways between the same junctions may thin to the same straight road).
    void Join(int32_t a, int32_t b) {
        if (a == b || map_.HasRoad(a, b))
            return;
        map_.AddRoadEntry(a, b);
        map_.AddRoadEntry(b, a);
        ++roads_;
    }

    int64_t Roads() const { return roads_; }

private:
    TTSPMap& map_;
    std::vector<int32_t> nodeOf_;
    int64_t roads_ = 0;
};

} // namespace

int64_t AssembleOsmMap(const std::vector<TPlacedTown>& towns, const TPolylines& roads,
                       const std::vector<TPlanePoint>& pixels, TTSPMap& map) {
    map.Clear();
    Assembly assembly(map, pixels.size());
    for (const TPlacedTown& town : towns)
        assembly.AddNode(town.Name, town.Pixel, true);
    for (size_t line = 0; line < roads.Count(); ++line) {
        int32_t previous = assembly.NodeOf(*roads.Begin(line), pixels);
        for (const int32_t* v = roads.Begin(line) + 1; v < roads.End(line); ++v) {
            const int32_t node = assembly.NodeOf(*v, pixels);
            assembly.Join(previous, node);
            previous = node;
        }
    }
    for (size_t t = 0; t < towns.size(); ++t)
        assembly.Join(static_cast<int32_t>(t), assembly.NodeOf(towns[t].Vertex, pixels));
    return assembly.Roads();
}
