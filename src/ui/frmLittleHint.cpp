#include "ui/frmLittleHint.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

TLittleHint* LittleHint = nullptr;

namespace {

constexpr QSize kInitialSize{189, 39};
constexpr qreal kOpacity = 190.0 / 255.0;
const QColor kOutline{50, 78, 97};
constexpr qreal kCornerRadius = 6;
constexpr QPoint kPicturePlace{6, 12};
constexpr QSize kPictureSize{21, 22};
constexpr QPoint kInfoPlace{28, 13};

QPainterPath Outline(const QSize& size) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), kCornerRadius,
                        kCornerRadius);
    return path;
}

} // namespace

TLittleHint::TLittleHint(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("LittleHint"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setWindowOpacity(kOpacity);
    resize(kInitialSize);

    picture_ =
        QIcon(QStringLiteral(":/main/hint/pin.svg")).pixmap(kPictureSize, devicePixelRatioF());

    Info = new QLabel(this);
    Info->setObjectName(QStringLiteral("Info"));
    Info->move(kInfoPlace);
    QPalette pal = Info->palette();
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    Info->setPalette(pal);
}

void TLittleHint::SetText(const QString& text) {
    Info->setText(text);
    Info->adjustSize();
}

QString TLittleHint::Text() const {
    return Info->text();
}

void TLittleHint::FitWidth() {
    resize(Info->x() + Info->width() + 10, height());
}

void TLittleHint::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The rounded corners are cut out of the window itself, which works
    // whether or not the desktop can blend windows.
    setMask(QRegion(Outline(size()).toFillPolygon().toPolygon()));
}

void TLittleHint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(QPen(kOutline, 1));
    painter.setBrush(palette().color(QPalette::ToolTipBase));
    painter.drawPath(Outline(size()));
    painter.drawPixmap(QRect(kPicturePlace, kPictureSize), picture_);
}
