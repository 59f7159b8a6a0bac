#include "widgets/TGradientHeader.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
constexpr int kTextLeft = 10;
constexpr int kCommentIndent = 14;
} // namespace

TGradientHeader::TGradientHeader(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGradientHeader::SetCaption(const QString& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    updateGeometry();
    update();
}

void TGradientHeader::SetComment(const QString& comment) {
    if (comment_ == comment)
        return;
    comment_ = comment;
    updateGeometry();
    update();
}

QSize TGradientHeader::sizeHint() const {
    if (caption_.isEmpty() && comment_.isEmpty())
        return {100, 5};
    const QFontMetrics metrics(font());
    return {200, 12 + 2 * metrics.height() + 12};
}

void TGradientHeader::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, palette().color(QPalette::Highlight));
    gradient.setColorAt(1, palette().color(QPalette::Window));
    painter.fillRect(rect(), gradient);

    if (caption_.isEmpty() && comment_.isEmpty())
        return;
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    const QFontMetrics metrics(font());
    // The caption sits on the dark top of the gradient, so it takes the
    // highlighted-text colour; the comment lies lower, on the light part.
    const int captionTop = qMax(2, height() / 2 - boldMetrics.height() - 2);
    if (!caption_.isEmpty()) {
        painter.setFont(bold);
        painter.setPen(palette().color(QPalette::HighlightedText));
        painter.drawText(
            QRect(kTextLeft, captionTop, width() - 2 * kTextLeft, boldMetrics.height()),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption_);
    }
    if (!comment_.isEmpty()) {
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        const int commentTop = captionTop + boldMetrics.height() + 4;
        painter.drawText(QRect(kTextLeft + kCommentIndent, commentTop,
                               width() - kTextLeft - kCommentIndent - kTextLeft, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, comment_);
    }
}
