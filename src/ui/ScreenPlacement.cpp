#include "ui/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

QRect AvailableScreenArea(QPoint point) {
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QPoint KeepInside(const QRect& rect, const QRect& area) {
    if (area.isEmpty())
        return rect.topLeft();
    const int x = std::max(area.left(), std::min(rect.left(), area.right() + 1 - rect.width()));
    const int y = std::max(area.top(), std::min(rect.top(), area.bottom() + 1 - rect.height()));
    return {x, y};
}
