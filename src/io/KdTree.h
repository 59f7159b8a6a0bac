#pragma once
// A static two-dimensional k-d tree over a fixed set of points, for the
// nearest-neighbour questions of the road builder: the k nearest points of a
// point, and the nearest point of another group (component). Both take
// O(log n) on usual data, so road building stays fast for tens of thousands of
// nodes. Equal distances are broken by the point's index, so results never
// depend on the order in which the tree is searched.

#include "io/GeoProjection.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TKdTree {
public:
    explicit TKdTree(std::vector<TPlanePoint> points);

    int32_t Size() const { return static_cast<int32_t>(points_.size()); }

    // The k points nearest to point `index`, itself left out, nearest first.
    std::vector<int32_t> Nearest(int32_t index, int32_t k) const;

    // One label (a group number, 0 or more) per point; needed by NearestOther.
    void SetLabels(std::vector<int32_t> labels);
    // The point nearest to point `index` whose label differs from its own, or
    // -1 when every point has its label.
    int32_t NearestOther(int32_t index) const;

private:
    struct TNode {
        int32_t Begin = 0, End = 0;    // range of order_
        int32_t Left = -1, Right = -1; // children; -1 for a leaf
        double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
    };
    struct TCandidate {
        double Distance2;
        int32_t Index;
        bool operator<(const TCandidate& other) const {
            return Distance2 != other.Distance2 ? Distance2 < other.Distance2 : Index < other.Index;
        }
    };

    int32_t Build(int32_t begin, int32_t end);
    double BoxDistance2(const TNode& node, const TPlanePoint& point) const;
    double Distance2(int32_t a, int32_t b) const;
    void SearchNearest(int32_t node, int32_t index, size_t k, std::vector<TCandidate>& best) const;
    void SearchOther(int32_t node, int32_t index, TCandidate& best) const;
    int32_t LabelNodes(int32_t node);

    std::vector<TPlanePoint> points_;
    std::vector<int32_t> order_; // point indices, each node's points side by side
    std::vector<TNode> nodes_;   // nodes_[0] is the root
    std::vector<int32_t> labels_;
    std::vector<int32_t> nodeLabels_; // the label all points of a node share, or -1
};
