#include "widgets/TImageList.h"

#include <QFileInfo>
#include <QPainter>

TImageList::TImageList(QSize size, QObject* parent) : QObject(parent), size_(size) {}

int TImageList::AddFromResource(const QString& path) {
    // QIcon keeps the source (and renders SVG on demand at the ratio asked
    // for); a missing file gives an icon without sizes, i.e. an empty image.
    QIcon icon;
    if (QFileInfo::exists(path))
        icon = QIcon(path);
    return Add(icon);
}

int TImageList::Add(const QPixmap& pixmap) {
    return Add(pixmap.isNull() ? QIcon() : QIcon(pixmap));
}

int TImageList::Add(const QIcon& icon) {
    icons_.append(icon);
    Q_EMIT Changed();
    return Count() - 1;
}

void TImageList::Replace(int index, const QIcon& icon) {
    if (!IsValidIndex(index))
        return;
    icons_[index] = icon;
    Q_EMIT Changed();
}

void TImageList::Clear() {
    icons_.clear();
    Q_EMIT Changed();
}

QPixmap TImageList::Image(int index, qreal devicePixelRatio) const {
    if (!IsValidIndex(index) || icons_[index].isNull())
        return {};
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap rendered = icons_[index].pixmap(size_, dpr);
    const QSize wanted = (QSizeF(size_) * dpr).toSize();
    if (rendered.size() != wanted) {
        // A bitmap smaller than the list's size (or of another aspect) is
        // centred on a transparent canvas rather than stretched out of shape.
        QPixmap canvas(wanted);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        QSize target = rendered.size().scaled(wanted, Qt::KeepAspectRatio);
        if (rendered.width() <= wanted.width() && rendered.height() <= wanted.height() &&
            rendered.devicePixelRatio() == dpr)
            target = rendered.size();
        const QRect where((wanted.width() - target.width()) / 2,
                          (wanted.height() - target.height()) / 2, target.width(), target.height());
        painter.drawPixmap(where, rendered);
        painter.end();
        rendered = canvas;
    }
    rendered.setDevicePixelRatio(dpr);
    return rendered;
}

QIcon TImageList::Icon(int index) const {
    return IsValidIndex(index) ? icons_[index] : QIcon();
}
