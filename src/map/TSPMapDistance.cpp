// The distance matrix: straight-line distances between all nodes, built once
// when a run starts so that evaluating a route takes no square root.

#include "map/TSPMap.h"

#include "core/ProgressPoll.h"
#include "core/TSPErrors.h"

#include <cmath>

// Computed in extended precision and stored as a double.
double PointDistance(double ax, double ay, double bx, double by) {
    const long double dx = static_cast<long double>(bx) - ax;
    const long double dy = static_cast<long double>(by) - ay;
    return static_cast<double>(std::sqrt(dx * dx + dy * dy));
}

void TTSPMap::BuildDistanceMatrix() {
    std::vector<double> table;
    ComputeDistanceMatrix(table);
    SetDistanceMatrix(std::move(table));
}

bool TTSPMap::ComputeDistanceMatrix(std::vector<double>& table, TProgressPoll* poll) const {
    const int32_t n = Count();
    if (n > kMaxMatrixNodes) {
        throw ETSPError("Карта слишком велика для решения: " + std::to_string(n) +
                        " узлов, допускается не более " + std::to_string(kMaxMatrixNodes) + ".");
    }
    table.assign(static_cast<size_t>(n) * static_cast<size_t>(n), 0.0);
    if (poll)
        poll->Begin(n);
    // Rows and columns are positions. Filling by position gives the same table
    // as looking nodes up by ID while IDs equal positions, and stays right for
    // a map where they do not.
    const size_t size = static_cast<size_t>(n);
    for (size_t i = 0; i < size; ++i) {
        const TCity& a = cities_[i];
        for (size_t j = i + 1; j < size; ++j) {
            const double d = NodeDistance(a, cities_[j]);
            table[i * size + j] = d;
            table[j * size + i] = d;
            // Rows of a large map take a while: the poll looks in between.
            if (poll && !poll->Poll())
                return false;
        }
        if (poll && !poll->Advance())
            return false;
    }
    return true;
}

void TTSPMap::SetDistanceMatrix(std::vector<double>&& table) {
    matrix_ = std::move(table);
    matrixSize_ = Count();
    matrixVersion_ = version_;
    matrixBuilt_ = true;
}

double TTSPMap::CalcPath(int32_t a, int32_t b) const {
    if (a < 0 || a >= Count())
        throw ETSPError(IndexErrorMessage("TTSPMap.GetPath(Index1)", a, 0, Count()));
    if (b < 0 || b >= Count())
        throw ETSPError(IndexErrorMessage("TTSPMap.GetPath(Index2)", b, 0, Count()));
    if (a == b) {
        throw ETSPError("Индекс " + std::to_string(a) + " не должен быть равен индексу " +
                        std::to_string(b));
    }
    const int32_t pa = IndexOfID(a);
    const int32_t pb = IndexOfID(b);
    if (pa < 0 || pb < 0) {
        throw ETSPError("Узел с номером " + std::to_string(pa < 0 ? a : b) +
                        " отсутствует на карте");
    }
    return NodeDistance(cities_[static_cast<size_t>(pa)], cities_[static_cast<size_t>(pb)]);
}

double TTSPMap::GetPath(int32_t i, int32_t j) const {
    // The range is the node count now; a table built before nodes were added
    // is smaller, and its size bounds the check too.
    const int32_t limit = std::min(Count(), matrixSize_);
    if (i < 0 || i >= limit)
        throw ETSPError(IndexErrorMessage("TTSPMap.GetPath(Index1)", i, 0, limit));
    if (j < 0 || j >= limit)
        throw ETSPError(IndexErrorMessage("TTSPMap.GetPath(Index2)", j, 0, limit));
    return matrix_[static_cast<size_t>(i) * matrixSize_ + j];
}
