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
    axis->setRange(low, high);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(NiceStep(low, high));
}
