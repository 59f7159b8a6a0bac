#include "widgets/TSevenSegmentClock.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

namespace {

// Segments a..g as bits 0..6: a top, b upper right, c lower right, d bottom,
// e lower left, f upper left, g middle.
constexpr unsigned char kDigitSegments[10] = {
    0x3F, // 0: a b c d e f
    0x06, // 1: b c
    0x5B, // 2: a b d e g
    0x4F, // 3: a b c d g
    0x66, // 4: b c f g
    0x6D, // 5: a c d f g
    0x7D, // 6: a c d e f g
    0x07, // 7: a b c
    0x7F, // 8: all
    0x6F, // 9: a b c d f g
};

// Proportions, in digit widths.
constexpr qreal kDigitHeight = 1.8;
constexpr qreal kDigitGap = 0.3;
constexpr qreal kColonWidth = 0.45;
constexpr qreal kThickness = 0.17;

// One segment as a hexagon between two points, `t` thick, pointed at both ends.
QPolygonF Segment(QPointF from, QPointF to, qreal t) {
    const qreal h = t / 2;
    const qreal gap = t * 0.12; // a hair of space between neighbouring segments
    if (from.y() == to.y()) {   // horizontal
        const qreal l = from.x() + gap;
        const qreal r = to.x() - gap;
        const qreal y = from.y();
        return QPolygonF(
            {{l, y}, {l + h, y - h}, {r - h, y - h}, {r, y}, {r - h, y + h}, {l + h, y + h}});
    }
    const qreal top = from.y() + gap;
    const qreal bottom = to.y() - gap;
    const qreal x = from.x();
    return QPolygonF({{x, top},
                      {x + h, top + h},
                      {x + h, bottom - h},
                      {x, bottom},
                      {x - h, bottom - h},
                      {x - h, top + h}});
}

void DrawDigit(QPainter& painter, const QRectF& box, int digit, const QColor& on, const QColor& off,
               bool showOff) {
    const qreal t = box.width() * kThickness;
    const qreal l = box.left() + t / 2;
    const qreal r = box.right() - t / 2;
    const qreal top = box.top() + t / 2;
    const qreal bottom = box.bottom() - t / 2;
    const qreal mid = (top + bottom) / 2;
    const QPolygonF segments[7] = {
        Segment({l, top}, {r, top}, t),       // a
        Segment({r, top}, {r, mid}, t),       // b
        Segment({r, mid}, {r, bottom}, t),    // c
        Segment({l, bottom}, {r, bottom}, t), // d
        Segment({l, mid}, {l, bottom}, t),    // e
        Segment({l, top}, {l, mid}, t),       // f
        Segment({l, mid}, {r, mid}, t),       // g
    };
    const unsigned lit = kDigitSegments[digit];
    for (int s = 0; s < 7; ++s) {
        const bool isOn = (lit >> s) & 1U;
        if (!isOn && !showOff)
            continue;
        painter.setBrush(isOn ? on : off);
        painter.drawPolygon(segments[s]);
    }
}

} // namespace

TSevenSegmentClock::TSevenSegmentClock(QWidget* parent)
    : QWidget(parent), segmentColour_(Qt::darkBlue), backgroundColour_(Qt::white) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSevenSegmentClock::SetTime(int hours, int minutes, int seconds) {
    hours = qMax(0, hours);
    minutes = qBound(0, minutes, 99);
    seconds = qBound(0, seconds, 99);
    if (hours == hours_ && minutes == minutes_ && seconds == seconds_)
        return;
    hours_ = hours;
    minutes_ = minutes;
    seconds_ = seconds;
    update();
}

QString TSevenSegmentClock::Text() const {
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return two(hours_) + QLatin1Char(':') + two(minutes_) + QLatin1Char(':') + two(seconds_);
}

void TSevenSegmentClock::SetActive(bool active) {
    if (active_ == active)
        return;
    active_ = active;
    update();
}

void TSevenSegmentClock::SetSegmentColor(const QColor& colour) {
    segmentColour_ = colour;
    update();
}

void TSevenSegmentClock::SetBackgroundColor(const QColor& colour) {
    backgroundColour_ = colour;
    update();
}

void TSevenSegmentClock::SetShowOffSegments(bool show) {
    showOffSegments_ = show;
    update();
}

QSize TSevenSegmentClock::sizeHint() const {
    return {96, 24};
}

void TSevenSegmentClock::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColour_);
    if (!active_)
        return;

    const QString text = Text();
    int digits = 0;
    int colons = 0;
    for (QChar c : text)
        (c == QLatin1Char(':') ? colons : digits) += 1;
    // Width in digit widths: digits, colons, and a gap after every character
    // but the last.
    const qreal units = digits + colons * kColonWidth + (digits + colons - 1) * kDigitGap;
    const qreal margin = 2;
    const qreal availableW = width() - 2 * margin;
    const qreal availableH = height() - 2 * margin;
    if (availableW <= 0 || availableH <= 0)
        return;
    const qreal w = qMin(availableW / units, availableH / kDigitHeight);
    const qreal h = w * kDigitHeight;
    qreal x = (width() - units * w) / 2;
    const qreal y = (height() - h) / 2;

    QColor off = segmentColour_;
    off.setAlphaF(0.10);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (QChar c : text) {
        if (c == QLatin1Char(':')) {
            const qreal d = w * kThickness * 1.1;
            const qreal cx = x + kColonWidth * w / 2;
            painter.setBrush(segmentColour_);
            painter.drawEllipse(QPointF(cx, y + h * 0.3), d / 2, d / 2);
            painter.drawEllipse(QPointF(cx, y + h * 0.7), d / 2, d / 2);
            x += (kColonWidth + kDigitGap) * w;
        } else {
            DrawDigit(painter, QRectF(x, y, w, h), c.digitValue(), segmentColour_, off,
                      showOffSegments_);
            x += (1 + kDigitGap) * w;
        }
    }
}

void TSevenSegmentClock::mousePressEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT pressed();
}
