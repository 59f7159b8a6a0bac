#include "ui/FitnessHistory.h"

#include <algorithm>
#include <cmath>

void TFitnessHistory::Clear() {
    samples_.clear();
    maxValue_ = 0;
}

void TFitnessHistory::Add(int32_t generation, double worst, double best) {
    const Sample sample{static_cast<double>(generation), worst, best};
    if (samples_.empty() || samples_.back().Generation <= sample.Generation) {
        samples_.push_back(sample);
    } else {
        const auto place =
            std::upper_bound(samples_.begin(), samples_.end(), sample.Generation,
                             [](double x, const Sample& s) { return x < s.Generation; });
        samples_.insert(place, sample);
    }
    maxValue_ = std::max({maxValue_, worst, best});
}

double TFitnessHistory::FirstGeneration() const {
    return samples_.empty() ? 0 : samples_.front().Generation;
}

double TFitnessHistory::LastGeneration() const {
    return samples_.empty() ? 0 : samples_.back().Generation;
}

namespace {

// Lowest and highest sample of one curve within one pixel column.
struct ColumnExtremes {
    std::size_t Low = 0;
    std::size_t High = 0;
};

template <typename Value>
void EmitColumn(const ColumnExtremes& column, Value value, std::vector<TFitnessPoint>& out,
                const auto& samples) {
    // Keep the order of the generations so that the line runs left to right.
    const std::size_t first = std::min(column.Low, column.High);
    const std::size_t second = std::max(column.Low, column.High);
    out.push_back({samples[first].Generation, value(samples[first])});
    if (second != first)
        out.push_back({samples[second].Generation, value(samples[second])});
}

} // namespace

void TFitnessHistory::Thin(int columns, std::vector<TFitnessPoint>& worst,
                           std::vector<TFitnessPoint>& best) const {
    worst.clear();
    best.clear();
    const std::size_t count = samples_.size();
    const std::size_t columnCount = static_cast<std::size_t>(std::max(columns, 1));
    if (count <= 2 * columnCount) {
        worst.reserve(count);
        best.reserve(count);
        for (const Sample& s : samples_) {
            worst.push_back({s.Generation, s.Worst});
            best.push_back({s.Generation, s.Best});
        }
        return;
    }

    worst.reserve(2 * columnCount + 2);
    best.reserve(2 * columnCount + 2);
    const auto worstOf = [](const Sample& s) { return s.Worst; };
    const auto bestOf = [](const Sample& s) { return s.Best; };

    const double first = samples_.front().Generation;
    const double span = samples_.back().Generation - first;
    // span > 0 here: more samples than columns means at least two generations
    // unless generations repeat, and then everything falls into column 0.
    const double scale = span > 0 ? static_cast<double>(columnCount - 1) / span : 0;

    std::size_t currentColumn = 0;
    ColumnExtremes w, b;
    for (std::size_t i = 0; i < count; ++i) {
        const Sample& s = samples_[i];
        const auto column = static_cast<std::size_t>(std::floor((s.Generation - first) * scale));
        if (i == 0 || column != currentColumn) {
            if (i != 0) {
                EmitColumn(w, worstOf, worst, samples_);
                EmitColumn(b, bestOf, best, samples_);
            }
            currentColumn = column;
            w = {i, i};
            b = {i, i};
            continue;
        }
        if (s.Worst < samples_[w.Low].Worst)
            w.Low = i;
        if (s.Worst > samples_[w.High].Worst)
            w.High = i;
        if (s.Best < samples_[b.Low].Best)
            b.Low = i;
        if (s.Best > samples_[b.High].Best)
            b.High = i;
    }
    EmitColumn(w, worstOf, worst, samples_);
    EmitColumn(b, bestOf, best, samples_);
}
