#include "widgets/TFlatSpinEdit.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionSpinBox>

namespace {

void DrawArrow(QPainter& painter, const QRect& area, bool up, const QColor& colour) {
    const QPointF c = QRectF(area).center();
    const qreal half = qMin(4.0, qMin(area.width(), area.height()) / 3.0);
    QPainterPath arrow;
    if (up) {
        arrow.moveTo(c.x() - half, c.y() + half / 2);
        arrow.lineTo(c.x() + half, c.y() + half / 2);
        arrow.lineTo(c.x(), c.y() - half / 2);
    } else {
        arrow.moveTo(c.x() - half, c.y() - half / 2);
        arrow.lineTo(c.x() + half, c.y() - half / 2);
        arrow.lineTo(c.x(), c.y() + half / 2);
    }
    arrow.closeSubpath();
    painter.fillPath(arrow, colour);
}

} // namespace

TFlatSpinEdit::TFlatSpinEdit(QWidget* parent) : QSpinBox(parent) {
    setAttribute(Qt::WA_Hover);
}

void TFlatSpinEdit::paintEvent(QPaintEvent*) {
    // The whole control is drawn here instead of by the style: a field with
    // a one-pixel border and two flat arrow buttons. The text is the inner
    // line edit's, which paints itself on top.
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    QPainter painter(this);
    const bool enabled = isEnabled();
    const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
    painter.fillRect(rect(), palette().color(group, QPalette::Base));

    const QRect up =
        style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    const QRect down =
        style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown, this);
    const QRect buttons = (up | down).adjusted(0, 0, 0, 0);
    if (buttonSymbols() != QAbstractSpinBox::NoButtons && buttons.isValid()) {
        const QRect column(buttons.left(), 1, width() - buttons.left() - 1, height() - 2);
        painter.fillRect(column, palette().color(group, QPalette::Button));
        const int middle = height() / 2;
        const QRect upRect(column.left(), column.top(), column.width(), middle - column.top());
        const QRect downRect(column.left(), middle, column.width(), column.bottom() - middle + 1);
        const bool pressed = option.state & QStyle::State_Sunken;
        const auto shade = [&](const QRect& r, QStyle::SubControl part) {
            if (!enabled || !(option.activeSubControls & part))
                return;
            painter.fillRect(r, pressed ? palette().color(QPalette::Mid)
                                        : palette().color(QPalette::Midlight));
        };
        shade(upRect, QStyle::SC_SpinBoxUp);
        shade(downRect, QStyle::SC_SpinBoxDown);
        const auto arrowColour = [&](QAbstractSpinBox::StepEnabledFlag flag) {
            const bool can = enabled && (stepEnabled() & flag);
            return palette().color(can ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText);
        };
        DrawArrow(painter, upRect, true, arrowColour(QAbstractSpinBox::StepUpEnabled));
        DrawArrow(painter, downRect, false, arrowColour(QAbstractSpinBox::StepDownEnabled));
        painter.setPen(palette().color(group, QPalette::Mid));
        painter.drawLine(column.left() - 1, 1, column.left() - 1, height() - 2);
    }
    const bool accent = enabled && (hasFocus() || underMouse());
    painter.setPen(accent ? palette().color(QPalette::Highlight)
                          : palette().color(group, QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
