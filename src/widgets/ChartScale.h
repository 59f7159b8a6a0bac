#pragma once
// Readable axis steps for the charts: 1, 2, 2.5 or 5 times a power of ten.

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QValueAxis;
QT_END_NAMESPACE

// The smallest readable step that divides [low, high] into at most
// `maxIntervals` intervals. 1 for an empty or non-finite range.
double NiceStep(double low, double high, int maxIntervals = 8);

// `value` rounded up to a whole multiple of `step`.
double RoundUpToStep(double value, double step);

// Shows the range [low, high] on `axis` with ticks at readable values
// (multiples of NiceStep, anchored at 0).
void ApplyRange(QValueAxis* axis, double low, double high);
