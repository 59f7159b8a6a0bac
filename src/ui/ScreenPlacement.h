#pragma once
// Keeping the program's small windows (the city window, the little hint)
// inside the screen where they open beside the pointer.

#include <QPoint>
#include <QRect>

// The available area (without panels and docks) of the screen that holds the
// point; the primary screen's when no screen does.
QRect AvailableScreenArea(QPoint point);

// The top-left corner that puts a window of rect's size inside `area`, as
// near to rect's own corner as it can be; a window larger than the area
// keeps to its top-left corner.
QPoint KeepInside(const QRect& rect, const QRect& area);
