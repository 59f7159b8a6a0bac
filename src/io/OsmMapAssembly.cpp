// Nodes and two-way roads of an imported extract.

#include "io/OsmMapAssembly.h"

#include <algorithm>

namespace {

class Assembly {
public:
    Assembly(TOsmMapParts& parts, size_t vertexCount) : parts_(parts), nodeOf_(vertexCount, -1) {}

    int32_t AddNode(const std::string& name, TPlanePoint pixel, bool isCity) {
        const auto node = static_cast<int32_t>(parts_.Nodes.size());
        // Transit points are named by their ID, as the program names new nodes.
        parts_.Nodes.push_back({isCity ? name : std::to_string(node), pixel, isCity});
        parts_.Roads.emplace_back();
        return node;
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
        std::vector<int32_t>& fromA = parts_.Roads[static_cast<size_t>(a)];
        if (a == b || std::find(fromA.begin(), fromA.end(), b) != fromA.end())
            return;
        fromA.push_back(b);
        parts_.Roads[static_cast<size_t>(b)].push_back(a);
        ++parts_.RoadCount;
    }

private:
    TOsmMapParts& parts_;
    std::vector<int32_t> nodeOf_;
};

} // namespace

TOsmMapParts OsmMapParts(const std::vector<TPlacedTown>& towns, const TPolylines& roads,
                         const std::vector<TPlanePoint>& pixels) {
    TOsmMapParts parts;
    Assembly assembly(parts, pixels.size());
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
    // Imported maps keep each road list in ascending order.
    for (std::vector<int32_t>& list : parts.Roads)
        std::sort(list.begin(), list.end());
    return parts;
}
