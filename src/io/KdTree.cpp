#include "io/KdTree.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

// A leaf holds this many points at most: scanning a few points is cheaper
// than descending further.
constexpr int32_t kLeafSize = 8;
constexpr int32_t kMixed = -1;

} // namespace

TKdTree::TKdTree(std::vector<TPlanePoint> points) : points_(std::move(points)) {
    order_.resize(points_.size());
    std::iota(order_.begin(), order_.end(), 0);
    if (!points_.empty()) {
        nodes_.reserve(2 * points_.size() / kLeafSize + 1);
        Build(0, Size());
    }
}

int32_t TKdTree::Build(int32_t begin, int32_t end) {
    const int32_t at = static_cast<int32_t>(nodes_.size());
    nodes_.push_back({});
    TNode node;
    node.Begin = begin;
    node.End = end;
    node.MinX = node.MaxX = points_[static_cast<size_t>(order_[static_cast<size_t>(begin)])].X;
    node.MinY = node.MaxY = points_[static_cast<size_t>(order_[static_cast<size_t>(begin)])].Y;
    for (int32_t i = begin; i < end; ++i) {
        const TPlanePoint& p = points_[static_cast<size_t>(order_[static_cast<size_t>(i)])];
        node.MinX = std::min(node.MinX, p.X);
        node.MaxX = std::max(node.MaxX, p.X);
        node.MinY = std::min(node.MinY, p.Y);
        node.MaxY = std::max(node.MaxY, p.Y);
    }
    if (end - begin > kLeafSize) {
        // Split the wider side at the median, ties ordered by index.
        const bool alongX = node.MaxX - node.MinX >= node.MaxY - node.MinY;
        auto before = [&](int32_t a, int32_t b) {
            const TPlanePoint& pa = points_[static_cast<size_t>(a)];
            const TPlanePoint& pb = points_[static_cast<size_t>(b)];
            const double ca = alongX ? pa.X : pa.Y;
            const double cb = alongX ? pb.X : pb.Y;
            return ca != cb ? ca < cb : a < b;
        };
        const int32_t middle = begin + (end - begin) / 2;
        std::nth_element(order_.begin() + begin, order_.begin() + middle, order_.begin() + end,
                         before);
        node.Left = Build(begin, middle);
        node.Right = Build(middle, end);
    }
    nodes_[static_cast<size_t>(at)] = node;
    return at;
}

double TKdTree::BoxDistance2(const TNode& node, const TPlanePoint& point) const {
    const double dx = std::max({node.MinX - point.X, 0.0, point.X - node.MaxX});
    const double dy = std::max({node.MinY - point.Y, 0.0, point.Y - node.MaxY});
    return dx * dx + dy * dy;
}

double TKdTree::Distance2(int32_t a, int32_t b) const {
    const TPlanePoint& pa = points_[static_cast<size_t>(a)];
    const TPlanePoint& pb = points_[static_cast<size_t>(b)];
    const double dx = pa.X - pb.X;
    const double dy = pa.Y - pb.Y;
    return dx * dx + dy * dy;
}

std::vector<int32_t> TKdTree::Nearest(int32_t index, int32_t k) const {
    std::vector<TCandidate> best;
    if (k > 0 && !nodes_.empty()) {
        best.reserve(static_cast<size_t>(k) + 1);
        SearchNearest(0, index, static_cast<size_t>(k), best);
    }
    std::vector<int32_t> result;
    result.reserve(best.size());
    for (const TCandidate& candidate : best)
        result.push_back(candidate.Index);
    return result;
}

// `best` stays sorted, nearest first, and holds at most k candidates.
void TKdTree::SearchNearest(int32_t at, int32_t index, size_t k,
                            std::vector<TCandidate>& best) const {
    const TNode& node = nodes_[static_cast<size_t>(at)];
    const TPlanePoint& point = points_[static_cast<size_t>(index)];
    if (best.size() == k && BoxDistance2(node, point) > best.back().Distance2)
        return;
    if (node.Left < 0) {
        for (int32_t i = node.Begin; i < node.End; ++i) {
            const int32_t other = order_[static_cast<size_t>(i)];
            if (other == index)
                continue;
            const TCandidate candidate{Distance2(index, other), other};
            if (best.size() == k && !(candidate < best.back()))
                continue;
            best.insert(std::upper_bound(best.begin(), best.end(), candidate), candidate);
            if (best.size() > k)
                best.pop_back();
        }
        return;
    }
    const TNode& left = nodes_[static_cast<size_t>(node.Left)];
    const TNode& right = nodes_[static_cast<size_t>(node.Right)];
    const bool leftFirst = BoxDistance2(left, point) <= BoxDistance2(right, point);
    SearchNearest(leftFirst ? node.Left : node.Right, index, k, best);
    SearchNearest(leftFirst ? node.Right : node.Left, index, k, best);
}

void TKdTree::SetLabels(std::vector<int32_t> labels) {
    labels_ = std::move(labels);
    nodeLabels_.assign(nodes_.size(), kMixed);
    if (!nodes_.empty())
        LabelNodes(0);
}

int32_t TKdTree::LabelNodes(int32_t at) {
    const TNode& node = nodes_[static_cast<size_t>(at)];
    int32_t label = labels_[static_cast<size_t>(order_[static_cast<size_t>(node.Begin)])];
    if (node.Left < 0) {
        for (int32_t i = node.Begin; i < node.End && label != kMixed; ++i)
            if (labels_[static_cast<size_t>(order_[static_cast<size_t>(i)])] != label)
                label = kMixed;
    } else {
        const int32_t left = LabelNodes(node.Left);
        const int32_t right = LabelNodes(node.Right);
        label = left == right ? left : kMixed;
    }
    nodeLabels_[static_cast<size_t>(at)] = label;
    return label;
}

int32_t TKdTree::NearestOther(int32_t index) const {
    TCandidate best{0, -1};
    if (!nodes_.empty())
        SearchOther(0, index, best);
    return best.Index;
}

void TKdTree::SearchOther(int32_t at, int32_t index, TCandidate& best) const {
    const TNode& node = nodes_[static_cast<size_t>(at)];
    const int32_t own = labels_[static_cast<size_t>(index)];
    // A part of the tree holding only the point's own group has nothing to offer.
    if (nodeLabels_[static_cast<size_t>(at)] == own)
        return;
    const TPlanePoint& point = points_[static_cast<size_t>(index)];
    if (best.Index >= 0 && BoxDistance2(node, point) > best.Distance2)
        return;
    if (node.Left < 0) {
        for (int32_t i = node.Begin; i < node.End; ++i) {
            const int32_t other = order_[static_cast<size_t>(i)];
            if (labels_[static_cast<size_t>(other)] == own)
                continue;
            const TCandidate candidate{Distance2(index, other), other};
            if (best.Index < 0 || candidate < best)
                best = candidate;
        }
        return;
    }
    const TNode& left = nodes_[static_cast<size_t>(node.Left)];
    const TNode& right = nodes_[static_cast<size_t>(node.Right)];
    const bool leftFirst = BoxDistance2(left, point) <= BoxDistance2(right, point);
    SearchOther(leftFirst ? node.Left : node.Right, index, best);
    SearchOther(leftFirst ? node.Right : node.Left, index, best);
}
