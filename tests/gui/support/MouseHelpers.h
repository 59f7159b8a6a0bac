#pragma once
// The mouse on the map view, as the window system delivers it.

#include "ui/untMain.h"

#include <QTest>

namespace fixture {

inline QWidget* View() {
    return frmMain->Roads;
}

inline void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mousePress(View(), button, modifiers, at);
}

inline void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseRelease(View(), button, modifiers, at);
}

inline void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Press(at, button, modifiers);
    Release(at, button, modifiers);
}

inline void MoveTo(QPoint at) {
    QTest::mouseMove(View(), at);
}

// What the window system delivers for a double click: press, release,
// double click (the second press), release.
inline void DoubleClick(QPoint at) {
    Click(at);
    QTest::mouseDClick(View(), Qt::LeftButton, Qt::NoModifier, at);
    Release(at);
}

// A Shift-drag from one point to another with a few moves on the way.
inline void ShiftDrag(QPoint from, QPoint to) {
    Press(from, Qt::LeftButton, Qt::ShiftModifier);
    MoveTo((from + to) / 2);
    MoveTo(to);
    Release(to, Qt::LeftButton, Qt::ShiftModifier);
}

// A plain drag of whatever lies at `from`.
inline void Drag(QPoint from, QPoint to) {
    Press(from);
    MoveTo((from + to) / 2);
    MoveTo(to);
    Release(to);
}

} // namespace fixture
