#pragma once
// Colours of the flat menu painter: its own palette (TItemColors), the
// effective colours of one paint derived from either that palette or the
// system colours, and the byte-wise colour functions both modes use.

#include <QColor>

class QPalette;

// Windows' MulDiv for the non-negative operands the colour functions use:
// a * b / c rounded to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c);

// Each of red, green and blue moves p per cent of the way towards 255.
QColor Lighten(const QColor& colour, int percent);
// Each of red, green and blue loses p per cent of its value.
QColor Darken(const QColor& colour, int percent);
// All three bytes become the integer mean of red, green and blue.
QColor Grey(const QColor& colour);

// The drawer's own colours, used when it is told not to follow the system.
struct TItemColors {
    QColor MenuBorder{102, 102, 102};
    QColor MenuFill{249, 248, 247};
    QColor Gutter{219, 216, 209};
    QColor Selected{182, 189, 210};
    QColor BorderSelected{10, 36, 106};
    QColor Text{0, 0, 0};
    QColor DisabledText{166, 166, 166};
    QColor CheckBoxRect{212, 212, 216};

    bool operator==(const TItemColors&) const = default;
};

// The colours one paint uses, by role.
struct TItemPaintColors {
    QColor MenuBorder;
    QColor MenuFill;
    QColor Gutter;
    QColor SelectedFill;
    QColor SelectedBorder;
    QColor Text;
    QColor DisabledText;
    QColor CheckBox;
    // The menu bar's own background (button face in both modes).
    QColor ButtonFace;
};

// The system-colour mode reads the palette at every paint, so a change of the
// desktop's colour scheme shows on the next paint.
TItemPaintColors SystemPaintColors(const QPalette& palette);
TItemPaintColors OwnPaintColors(const TItemColors& colors, const QPalette& palette);
