#include "extras/MarkForm.h"

#include "extras/ItemDrawerGlyphs.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TMark::TMark(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Mark"));
    // The picture covers the whole window, so nothing is painted beneath it.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground, transparent_);
    Logo = new QLabel(this);
    Logo->setObjectName(QStringLiteral("Logo"));
    Logo->setAttribute(Qt::WA_TranslucentBackground);
    Logo->move(0, 0);
    resize(0, 0);
}

void TMark::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    ShowPicture();
}

void TMark::SetTransparent(bool transparent) {
    transparent_ = transparent;
    setAttribute(Qt::WA_TranslucentBackground, transparent);
    ShowPicture();
}

void TMark::ShowPicture() {
    QPixmap shown = picture_;
    if (transparent_ && !shown.isNull() && !shown.hasAlphaChannel())
        shown = QPixmap::fromImage(TransparentGlyph(shown.toImage()));
    Logo->setPixmap(shown);
    const QSize size = shown.isNull() ? QSize(0, 0) : shown.deviceIndependentSize().toSize();
    Logo->resize(size);
    resize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size);
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
}
