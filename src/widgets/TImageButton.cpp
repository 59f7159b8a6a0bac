#include "widgets/TImageButton.h"

#include "widgets/TImageList.h"

#include <QEnterEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {

// Gap between the image and the caption under it, and around the content.
constexpr int kCaptionGap = 2;
constexpr int kPadding = 2;
// Where the hover shadow falls, in logical pixels.
constexpr int kShadowOffset = 2;

// A soft dark copy of `image`'s shape: the alpha channel tinted black and
// smeared over a few neighbouring pixels (a small box blur is plenty at icon
// sizes and keeps this cheap).
QPixmap MakeShadow(const QPixmap& image) {
    if (image.isNull())
        return {};
    const QImage source = image.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = source.width();
    const int h = source.height();
    const int radius = qMax(1, qRound(image.devicePixelRatio()));
    // Box blur of the alpha channel, horizontal then vertical.
    QList<int> alpha(static_cast<qsizetype>(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < w; ++x)
            alpha[y * w + x] = qAlpha(line[x]);
    }
    QList<int> pass(alpha.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            int n = 0;
            for (int k = -radius; k <= radius; ++k)
                if (x + k >= 0 && x + k < w) {
                    sum += alpha[y * w + x + k];
                    ++n;
                }
            pass[y * w + x] = sum / n;
        }
    QImage shadow(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            int n = 0;
            for (int k = -radius; k <= radius; ++k)
                if (y + k >= 0 && y + k < h) {
                    sum += pass[(y + k) * w + x];
                    ++n;
                }
            const int a = sum / n * 55 / 100; // a soft shadow, not a black copy
            line[x] = qRgba(0, 0, 0, a);
        }
    }
    QPixmap result = QPixmap::fromImage(shadow);
    result.setDevicePixelRatio(image.devicePixelRatio());
    return result;
}

// Greyed and lighter: grey value of each pixel moved half way to white.
QPixmap MakeDisabled(const QPixmap& image) {
    if (image.isNull())
        return {};
    QImage picture = image.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = qGray(pixel);
            const int light = grey + (255 - grey) / 2;
            line[x] = qRgba(light, light, light, qAlpha(pixel) * 3 / 4);
        }
    }
    QPixmap result = QPixmap::fromImage(picture);
    result.setDevicePixelRatio(image.devicePixelRatio());
    return result;
}

} // namespace

TImageButton::TImageButton(QWidget* parent) : QAbstractButton(parent) {
    // Tool and caption buttons do not take the focus from the edits around them.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

TImageButton::TImageButton(TImageList* images, int imageIndex, QWidget* parent)
    : TImageButton(parent) {
    SetImages(images);
    SetImageIndex(imageIndex);
}

void TImageButton::SetImages(TImageList* images) {
    if (images_ == images)
        return;
    disconnect(imagesChanged_);
    images_ = images;
    if (images)
        imagesChanged_ = connect(images, &TImageList::Changed, this, [this] {
            DropCachedImages();
            update();
        });
    DropCachedImages();
    updateGeometry();
    update();
}

void TImageButton::SetImageIndex(int index) {
    if (imageIndex_ == index)
        return;
    imageIndex_ = index;
    DropCachedImages();
    update();
}

void TImageButton::SetCaption(const QString& caption) {
    setText(caption);
    updateGeometry();
}

QSize TImageButton::sizeHint() const {
    const QSize image = images_ ? images_->Size() : QSize(16, 16);
    int w = image.width();
    int h = image.height();
    if (!text().isEmpty()) {
        const QFontMetrics metrics(font());
        w = qMax(w, metrics.horizontalAdvance(text()));
        h += kCaptionGap + metrics.height();
    }
    return {w + 2 * kPadding + kShadowOffset, h + 2 * kPadding + kShadowOffset};
}

QSize TImageButton::minimumSizeHint() const {
    return images_ ? images_->Size() : QSize(16, 16);
}

void TImageButton::DropCachedImages() {
    cachedIndex_ = -1;
    normal_ = shadow_ = disabled_ = QPixmap();
}

const QPixmap& TImageButton::NormalImage(qreal dpr) {
    if (cachedIndex_ != imageIndex_ || cachedDpr_ != dpr) {
        DropCachedImages();
        cachedIndex_ = imageIndex_;
        cachedDpr_ = dpr;
        if (images_)
            normal_ = images_->Image(imageIndex_, dpr);
    }
    return normal_;
}

const QPixmap& TImageButton::ShadowImage(qreal dpr) {
    const QPixmap& image = NormalImage(dpr);
    if (shadow_.isNull() && !image.isNull())
        shadow_ = MakeShadow(image);
    return shadow_;
}

const QPixmap& TImageButton::DisabledImage(qreal dpr) {
    const QPixmap& image = NormalImage(dpr);
    if (disabled_.isNull() && !image.isNull())
        disabled_ = MakeDisabled(image);
    return disabled_;
}

void TImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const bool enabled = isEnabled();
    const bool down = isDown() || isChecked();
    const bool hover = hovered_ && enabled;
    const qreal dpr = devicePixelRatioF();

    if (hover || down) {
        // Thin frame while the pointer is over the button; a light fill
        // while it is held down.
        QColor frame = palette().color(QPalette::Dark);
        frame.setAlpha(140);
        painter.setPen(QPen(frame, 1));
        painter.setBrush(down ? palette().color(QPalette::Midlight) : QColor(Qt::transparent));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    }

    const QSize imageSize = images_ ? images_->Size() : QSize(0, 0);
    const QFontMetrics metrics(font());
    const bool hasCaption = !text().isEmpty();
    const int contentHeight =
        imageSize.height() + (hasCaption ? kCaptionGap + metrics.height() : 0);
    // Image centred (above the caption, when there is one); when lifted by
    // the hover it moves up-left so that it and its shadow stay centred.
    QPoint imageAt((width() - imageSize.width()) / 2, (height() - contentHeight) / 2);
    if (hover && !down) {
        // Lift only as far as the button has room (a 32 px image in a 32 px
        // high tool button stays put and its shadow is cut at the bottom).
        imageAt.rx() = qMax(0, imageAt.x() - kShadowOffset / 2);
        imageAt.ry() = qMax(0, imageAt.y() - kShadowOffset / 2);
    }
    if (down)
        imageAt += QPoint(1, 1);

    if (!imageSize.isEmpty()) {
        if (!enabled) {
            painter.drawPixmap(imageAt, DisabledImage(dpr));
        } else {
            if (hover && !down)
                painter.drawPixmap(imageAt + QPoint(kShadowOffset, kShadowOffset),
                                   ShadowImage(dpr));
            painter.drawPixmap(imageAt, NormalImage(dpr));
        }
    }

    if (hasCaption) {
        const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
        painter.setPen(palette().color(group, QPalette::ButtonText));
        QRect textRect(0, imageAt.y() + imageSize.height() + kCaptionGap, width(),
                       metrics.height());
        if (down)
            textRect.translate(1, 0);
        painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                         metrics.elidedText(text(), Qt::ElideRight, width()));
    }
}

void TImageButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TImageButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TImageButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::PaletteChange)
        update();
    QAbstractButton::changeEvent(event);
}
