#include "widgets/TFlatEdit.h"

#include <QPainter>

TFlatEdit::TFlatEdit(QWidget* parent) : QLineEdit(parent) {
    // The style's 3-D frame is switched off and a one-pixel line drawn
    // instead; the margins keep the text clear of that line.
    setFrame(false);
    setTextMargins(3, 1, 2, 1);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_Hover);
}

TFlatEdit::TFlatEdit(const QString& text, QWidget* parent) : TFlatEdit(parent) {
    setText(text);
}

void TFlatEdit::paintEvent(QPaintEvent* event) {
    {
        // Field colour under the text, also for read-only edits.
        QPainter painter(this);
        painter.fillRect(
            rect(),
            palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Base));
    }
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    const bool accent = isEnabled() && (hasFocus() || underMouse()) && !isReadOnly();
    painter.setPen(accent ? palette().color(QPalette::Highlight)
                          : palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                            QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
