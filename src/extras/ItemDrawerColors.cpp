#include "extras/ItemDrawerColors.h"

#include <QPalette>

#include <functional>

int MulDivRound(int a, int b, int c) {
    if (c == 0)
        return -1; // as MulDiv reports a zero divisor
    const long long product = static_cast<long long>(a) * b;
    const long long half = (c > 0 ? c : -c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (product < 0 ? -product : product) + half;
    const long long quotient = magnitude / (c > 0 ? c : -c);
    return static_cast<int>(negative ? -quotient : quotient);
}

namespace {

QColor MapBytes(const QColor& colour, const std::function<int(int)>& map) {
    const QColor rgb = colour.toRgb();
    return QColor(map(rgb.red()), map(rgb.green()), map(rgb.blue()));
}

} // namespace

QColor Lighten(const QColor& colour, int percent) {
    return MapBytes(colour, [percent](int b) { return b + MulDivRound(255 - b, percent, 100); });
}

QColor Darken(const QColor& colour, int percent) {
    return MapBytes(colour, [percent](int b) { return b - MulDivRound(b, percent, 100); });
}

QColor Grey(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    const int mean = (rgb.red() + rgb.green() + rgb.blue()) / 3;
    return QColor(mean, mean, mean);
}

TItemPaintColors SystemPaintColors(const QPalette& palette) {
    const QColor buttonFace = palette.color(QPalette::Active, QPalette::Button);
    const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    TItemPaintColors colors;
    colors.MenuBorder = palette.color(QPalette::Active, QPalette::Dark);
    colors.MenuFill = Lighten(palette.color(QPalette::Active, QPalette::Window), 82);
    colors.Gutter = Lighten(buttonFace, 16);
    colors.SelectedFill = Lighten(highlight, 70);
    colors.SelectedBorder = highlight;
    colors.Text = palette.color(QPalette::Active, QPalette::WindowText);
    colors.DisabledText = palette.color(QPalette::Disabled, QPalette::Text);
    colors.CheckBox = Lighten(buttonFace, 24);
    colors.ButtonFace = buttonFace;
    return colors;
}

TItemPaintColors OwnPaintColors(const TItemColors& own, const QPalette& palette) {
    TItemPaintColors colors;
    colors.MenuBorder = own.MenuBorder;
    colors.MenuFill = own.MenuFill;
    colors.Gutter = own.Gutter;
    colors.SelectedFill = own.Selected;
    colors.SelectedBorder = own.BorderSelected;
    colors.Text = own.Text;
    colors.DisabledText = own.DisabledText;
    colors.CheckBox = own.CheckBoxRect;
    colors.ButtonFace = palette.color(QPalette::Active, QPalette::Button);
    return colors;
}
