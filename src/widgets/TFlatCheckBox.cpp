#include "widgets/TFlatCheckBox.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>

namespace {
constexpr int kIndicator = 13; // square box, logical pixels
constexpr int kTextGap = 5;
} // namespace

TFlatCheckBox::TFlatCheckBox(QWidget* parent) : QCheckBox(parent) {
    setAttribute(Qt::WA_Hover);
}

TFlatCheckBox::TFlatCheckBox(const QString& text, QWidget* parent) : TFlatCheckBox(parent) {
    setText(text);
}

QSize TFlatCheckBox::sizeHint() const {
    const QFontMetrics metrics(font());
    const int textWidth = text().isEmpty() ? 0 : kTextGap + metrics.horizontalAdvance(text()) + 2;
    return {kIndicator + textWidth + 2, qMax(kIndicator, metrics.height()) + 2};
}

QSize TFlatCheckBox::minimumSizeHint() const {
    return sizeHint();
}

QRect TFlatCheckBox::IndicatorRect() const {
    return {1, (height() - kIndicator) / 2, kIndicator, kIndicator};
}

bool TFlatCheckBox::hitButton(const QPoint& pos) const {
    // The caption belongs to the control: a click anywhere on it toggles.
    return rect().contains(pos);
}

void TFlatCheckBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool enabled = isEnabled();
    const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
    const bool hover = enabled && underMouse();
    const QRect box = IndicatorRect();

    // Flat box: one-pixel border, field colour inside (button face while held).
    const QColor border =
        hover ? palette().color(QPalette::Highlight) : palette().color(group, QPalette::Dark);
    const QColor fill =
        isDown() ? palette().color(QPalette::Button) : palette().color(group, QPalette::Base);
    painter.fillRect(box, fill);
    painter.setPen(border);
    painter.drawRect(box.adjusted(0, 0, -1, -1));

    painter.setRenderHint(QPainter::Antialiasing);
    const QColor glyph = palette().color(group, QPalette::Text);
    if (checkState() == Qt::Checked) {
        QPainterPath tick;
        const QRectF r = QRectF(box).adjusted(3, 3, -3, -3);
        tick.moveTo(r.left(), r.top() + r.height() * 0.55);
        tick.lineTo(r.left() + r.width() * 0.38, r.bottom());
        tick.lineTo(r.right(), r.top() + r.height() * 0.05);
        painter.setPen(QPen(glyph, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    } else if (checkState() == Qt::PartiallyChecked) {
        painter.fillRect(QRectF(box).adjusted(3.5, 3.5, -3.5, -3.5), glyph);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    if (!text().isEmpty()) {
        const QRect textRect(box.right() + 1 + kTextGap, 0, width() - box.right() - 1 - kTextGap,
                             height());
        painter.setPen(palette().color(group, QPalette::WindowText));
        const QFontMetrics metrics(font());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         metrics.elidedText(text(), Qt::ElideRight, textRect.width()));
        if (hasFocus()) {
            const int w = qMin(metrics.horizontalAdvance(text()), textRect.width());
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = QRect(textRect.left() - 1, (height() - metrics.height()) / 2 - 1, w + 2,
                               metrics.height() + 2);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
}
