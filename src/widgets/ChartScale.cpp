#include "widgets/ChartScale.h"

#include <QValueAxis>

#include <cmath>

double NiceStep(double low, double high, int maxIntervals) {
    const double range = high - low;
    if (!(range > 0) || !std::isfinite(range) || maxIntervals < 1)
        return 1;
    const double rough = range / maxIntervals;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 2.5, 5.0})
        if (factor * power >= rough * (1 - 1e-9))
            return factor * power;
    return 10 * power;
}

double RoundUpToStep(double value, double step) {
    if (!(step > 0))
        return value;
    const double steps = std::ceil(value / step - 1e-9);
    return steps * step;
}

void ApplyRange(QValueAxis* axis, double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high))
        low = 0, high = 1;
    if (high <= low)
        high = low + 1;
    // The range and the step change together: with dynamic ticks on, a new
    // range under the old step (0..25000 in steps of 0.2) would first lay out
    // a tick item for every step, which takes minutes. Fixed ticks meanwhile.
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setRange(low, high);
    axis->setTickAnchor(0);
    axis->setTickInterval(NiceStep(low, high));
    axis->setTickType(QValueAxis::TicksDynamic);
}
