#pragma once
// Every (generation, worst, best) triple of a run, kept in full, and a thinned
// view of it for drawing. A run of a million generations would hand a chart a
// million points per curve, which no chart draws quickly; a plot area of W
// pixel columns cannot show more than the lowest and highest value in each
// column, so the view keeps exactly those (at most two points per column and
// curve) and the picture is the same as with every point.

#include <cstddef>
#include <cstdint>
#include <vector>

struct TFitnessPoint {
    double X = 0;
    double Y = 0;
    bool operator==(const TFitnessPoint&) const = default;
};

class TFitnessHistory {
public:
    void Clear();
    // Generations arrive in ascending order; an older one is inserted in its
    // place so that the curves stay ordered by generation.
    void Add(int32_t generation, double worst, double best);

    std::size_t Count() const { return samples_.size(); }
    bool Empty() const { return samples_.empty(); }
    // Largest worst value (0 when empty): the top of the value axis.
    double MaxValue() const { return maxValue_; }
    double FirstGeneration() const;
    double LastGeneration() const;

    // The curves thinned for a plot `columns` pixels wide spanning the
    // generations held. With at most two points per column nothing is dropped.
    void Thin(int columns, std::vector<TFitnessPoint>& worst,
              std::vector<TFitnessPoint>& best) const;

private:
    struct Sample {
        double Generation;
        double Worst;
        double Best;
    };
    std::vector<Sample> samples_;
    double maxValue_ = 0;
};
