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
    const double step = NiceStep(low, high);
    // The axis lays out its ticks after every single change, so the order
    // matters: the old step over a much wider new range (or a much smaller
    // new step over the old range) would make it build thousands of tick
    // items for a moment. A growing step is set before the range, a
    // shrinking one after it.
    axis->setTickAnchor(0);
    if (axis->tickType() != QValueAxis::TicksDynamic) {
        axis->setTickInterval(step);
        axis->setRange(low, high);
        axis->setTickType(QValueAxis::TicksDynamic);
    } else if (step >= axis->tickInterval()) {
        axis->setTickInterval(step);
        axis->setRange(low, high);
    } else {
        axis->setRange(low, high);
        axis->setTickInterval(step);
    }
}
